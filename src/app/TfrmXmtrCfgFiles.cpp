// Configuration files from the main window's file menu.

#include "app/AppTexts.h"
#include "app/MainWindowHost.h"
#include "app/TfrmXmtrCfg.h"
#include "editor/LocalValidation.h"
#include "files/ConfigFile.h"
#include "files/Preferences.h"
#include "link/WindowMessages.h"
#include "link/qt/QtLink.h"
#include "ui/MessageBoxes.h"
#include "workflows/TransmitterSession.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tavin {

namespace {

std::string NameOfFile(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

void TfrmXmtrCfg::subItmSaveConfigClick() {
    SaveModelToFile(false);
}

void TfrmXmtrCfg::subItmOpenConfigClick() {
    const auto path = prompter_->OpenFileName(texts::kOpenConfigTitle, texts::kConfigFileFilter,
                                              ini_.ConfigPath, ini_.LastConfig);
    if (!path) {
        return;
    }
    ini_.ConfigPath = FolderOfFile(*path);
    ini_.LastConfig = NameOfFile(*path);
    // A file that cannot be read leaves the model as it was. The menu item
    // is offered only outside the template modes, so platform ids are read.
    const ConfigFileResult result = LoadConfigFile(*path, config_, parse_, false);
    if (!result.Ok) {
        prompter_->ShowErrorBox(result.Error);
        return;
    }
    SetTAVINTXMode(0);
    link_->PostWindowMessage(UMChannelLoadMessage, 0);
    if (mode_ != OperatingMode::Idle) {
        SetPageShown("TabSDI12", config_.SDI12Present && ini_.SDI12Visible);
        SetPageShown("TabInternalSensors", config_.InternalPresent && ini_.InternalTabVisible);
        SetPageShown("TabARGOSDataPack", ini_.ARGOS_SCD);
    }
    RefreshConfigViews();
}

} // namespace tavin

namespace tavin {

void TfrmXmtrCfg::MenuNewTemplateClick() {
    if (!prompter_->AskYesNo(texts::kNewTemplateQuestion)) {
        return;
    }
    findChild<QLabel*>("LblTemplateFileName")->setText(texts::kNewTemplateLabel);
    NewTemplate(config_, parse_);
    SetTAVINTXMode(0);
    RefreshConfigViews();
}

void TfrmXmtrCfg::MenuSaveTemplateClick() {
    SaveModelToFile(true);
}

void TfrmXmtrCfg::SaveModelToFile(bool asTemplate) {
    std::string& folder = asTemplate ? ini_.TemplatePath : ini_.ConfigPath;
    std::string& name = asTemplate ? ini_.LastTemplate : ini_.LastConfig;
    const auto path = prompter_->SaveFileName(
        asTemplate ? texts::kSaveTemplateTitle : texts::kSaveConfigTitle,
        asTemplate ? texts::kTemplateFileFilter : texts::kConfigFileFilter, folder, name);
    host_->CopyTxFieldsToModel();
    parse_.RederiveTxMode(config_);
    if (ini_.DebugMemo) {
        QStringList lines;
        for (const std::string& line :
             asTemplate ? CreateTemplateData(config_, parse_) : CreateConfigData(config_, parse_)) {
            lines << QString::fromLatin1(line.c_str());
        }
        memoDebug_->setPlainText(lines.join('\n'));
    }
    if (!path) {
        return;
    }
    const ConfigFileResult result = SaveConfigFile(*path, config_, parse_, asTemplate);
    if (!result.Ok) {
        prompter_->ShowErrorBox(result.Error);
        return;
    }
    folder = FolderOfFile(*path);
    name = NameOfFile(*path);
    if (asTemplate) {
        findChild<QLabel*>("LblTemplateFileName")->setText(QString::fromLocal8Bit(path->c_str()));
    }
}

void TfrmXmtrCfg::MenuOpenTemplateClick() {
    const auto path = prompter_->OpenFileName(texts::kOpenTemplateTitle, texts::kTemplateFileFilter,
                                              ini_.TemplatePath, ini_.LastTemplate);
    if (!path) {
        return;
    }
    ini_.TemplatePath = FolderOfFile(*path);
    ini_.LastTemplate = NameOfFile(*path);
    const ConfigFileResult result = LoadConfigFile(*path, config_, parse_, true);
    if (!result.Ok) {
        prompter_->ShowErrorBox(result.Error);
        return;
    }
    // The platform id is a station value: a template never carries one.
    ovcNesdisID_->clear();
    config_.PlatformIdGoes.clear();
    config_.PlatformIdArgos.clear();
    SetTAVINTXMode(0);
    // Delivered at once, so that the enabled transmissions are known below.
    session_->HandleWindowMessage(UMChannelLoadMessage, 0);
    RefreshConfigViews();
    findChild<QLabel*>("LblTemplateFileName")->setText(QString::fromLocal8Bit(path->c_str()));
    SetPageShown("TabSDI12", config_.SDI12Present);
    SetPageShown("TabInternalSensors", config_.InternalPresent);
    SetPageShown("TabARGOSDataPack", ini_.ARGOS_SCD);
    ConfigureAutoPoll();
}

void TfrmXmtrCfg::BtnCheckLocalClick() {
    ReportCheck(false);
}

void TfrmXmtrCfg::BtnCheckTemplateClick() {
    ReportCheck(true);
}

void TfrmXmtrCfg::ReportCheck(bool isTemplate) {
    host_->CopyTxFieldsToModel();
    const bool advanced = actions_["MenuAdvancedSettings"]->isChecked();
    const EditorValues values = EditorValuesFromModel(config_, advanced);
    const TConfigCheckError err = isTemplate ? ValidateUserTemplate(config_, values, utility_)
                                             : CheckLocalSetup(config_, values, utility_);
    if (err.ErrorCode == 0) {
        prompter_->ShowInfoBox(isTemplate ? texts::kTemplateOK : texts::kLocalConfigOK);
        return;
    }
    const std::string text =
        std::string(isTemplate ? texts::kTemplateError : texts::kLocalConfigError) +
        GetErrorString(err) + texts::kGotoInvalidData;
    if (prompter_->AskYesNo(text) && !err.ErrorControl.empty() && !err.ErrorPage.empty()) {
        FocusTarget target;
        target.Page = err.ErrorPage;
        target.Focus = err.ErrorControl;
        if (err.ErrorControl.rfind("Grid", 0) == 0) {
            target.Grid = err.ErrorControl;
            target.Row = err.ErrorRow + 1;
        }
        host_->FocusControl(target);
    }
}

} // namespace tavin
