// Configuration files from the main window's file menu.

#include "app/AppTexts.h"
#include "app/MainWindowHost.h"
#include "app/TfrmXmtrCfg.h"
#include "files/ConfigFile.h"
#include "files/Preferences.h"
#include "link/WindowMessages.h"
#include "link/qt/QtLink.h"
#include "ui/MessageBoxes.h"

#include <QPlainTextEdit>

namespace tavin {

namespace {

std::string NameOfFile(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

void TfrmXmtrCfg::subItmSaveConfigClick() {
    const auto path = prompter_->SaveFileName(texts::kSaveConfigTitle, texts::kConfigFileFilter,
                                              ini_.ConfigPath, ini_.LastConfig);
    host_->CopyTxFieldsToModel();
    parse_.RederiveTxMode(config_);
    if (ini_.DebugMemo) {
        QStringList lines;
        for (const std::string& line : CreateConfigData(config_, parse_)) {
            lines << QString::fromLatin1(line.c_str());
        }
        memoDebug_->setPlainText(lines.join('\n'));
    }
    if (!path) {
        return;
    }
    const ConfigFileResult result = SaveConfigFile(*path, config_, parse_);
    if (!result.Ok) {
        prompter_->ShowErrorBox(result.Error);
        return;
    }
    ini_.ConfigPath = FolderOfFile(*path);
    ini_.LastConfig = NameOfFile(*path);
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
