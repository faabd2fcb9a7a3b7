#pragma once
// Message boxes answered from a script: every text shown is recorded, yes/no
// questions and input boxes take the next scripted answer (No and Cancel
// when the script has run out), so that a test never blocks on a box.

#include "ui/MessageBoxes.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tavin::test {

class ScriptedPrompter : public Prompter {
public:
    struct Shown {
        std::string kind; // "error", "info", "ask", "input"
        std::string text;
    };

    void ShowErrorBox(const std::string& text) override { shown.push_back({"error", text}); }
    void ShowInfoBox(const std::string& text) override { shown.push_back({"info", text}); }
    bool AskYesNo(const std::string& text) override {
        shown.push_back({"ask", text});
        if (answers.empty()) {
            return false;
        }
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override {
        shown.push_back({"input", caption + "|" + prompt + "|" + initial});
        if (inputs.empty()) {
            return std::nullopt;
        }
        auto value = inputs.front();
        inputs.pop_front();
        return value;
    }

    std::optional<std::string> OpenFileName(const std::string& title, const std::string& filter,
                                            const std::string& folder,
                                            const std::string& name) override {
        return File("open", title, filter, folder, name);
    }
    std::optional<std::string> SaveFileName(const std::string& title, const std::string& filter,
                                            const std::string& folder,
                                            const std::string& name) override {
        return File("save", title, filter, folder, name);
    }

    std::vector<std::string> Texts(const std::string& kind) const {
        std::vector<std::string> out;
        for (const Shown& s : shown) {
            if (s.kind == kind) {
                out.push_back(s.text);
            }
        }
        return out;
    }

    std::vector<Shown> shown;
    // Answers of the file dialogs, in order; nullopt = Cancel.
    std::deque<std::optional<std::string>> files;
    std::deque<bool> answers;
    std::deque<std::optional<std::string>> inputs;

private:
    std::optional<std::string> File(const std::string& kind, const std::string& title,
                                    const std::string& filter, const std::string& folder,
                                    const std::string& name) {
        shown.push_back({kind, title + "|" + filter + "|" + folder + "|" + name});
        if (files.empty()) {
            return std::nullopt;
        }
        auto value = files.front();
        files.pop_front();
        return value;
    }
};

} // namespace tavin::test
