#pragma once
// Every box that asks or tells the user something goes through Prompter, so
// that the program shows real message boxes and the tests answer from a
// script without anything ever blocking.

#include <optional>
#include <string>

#include <QFileDialog>

class QWidget;

namespace tavin {

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void ShowErrorBox(const std::string& text) = 0;
    virtual void ShowInfoBox(const std::string& text) = 0;
    // Yes = true.
    virtual bool AskYesNo(const std::string& text) = 0;
    // The text entered, or nullopt on Cancel.
    virtual std::optional<std::string>
    InputBox(const std::string& caption, const std::string& prompt, const std::string& initial) = 0;
    // The file dialogs: the chosen path, or nullopt on Cancel. The filter is
    // "Description|pattern|Description|pattern...".
    virtual std::optional<std::string> OpenFileName(const std::string& title,
                                                    const std::string& filter,
                                                    const std::string& folder,
                                                    const std::string& name) = 0;
    virtual std::optional<std::string> SaveFileName(const std::string& title,
                                                    const std::string& filter,
                                                    const std::string& folder,
                                                    const std::string& name) = 0;
};

// Real message boxes, centred on the parent.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void ShowErrorBox(const std::string& text) override;
    void ShowInfoBox(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override;
    std::optional<std::string> OpenFileName(const std::string& title, const std::string& filter,
                                            const std::string& folder,
                                            const std::string& name) override;
    std::optional<std::string> SaveFileName(const std::string& title, const std::string& filter,
                                            const std::string& folder,
                                            const std::string& name) override;

private:
    using FileDialogFn = QString (*)(QWidget*, const QString&, const QString&, const QString&,
                                     QString*, QFileDialog::Options);
    std::optional<std::string> FileDialog(FileDialogFn dialog, const std::string& title,
                                          const std::string& filter, const std::string& folder,
                                          const std::string& name);

    QWidget* parent_ = nullptr;
};

// The messages carry "\r" as their line break; a box shows it as a new line.
std::string BoxText(const std::string& text);
// "TAVIN Configuration File|*.txt|All Files|*.*" as a file dialog's filter
// ("TAVIN Configuration File (*.txt);;All Files (*)").
std::string DialogFilter(const std::string& filter);

} // namespace tavin
