#pragma once
// The application object. An exception that escapes an event handler would
// otherwise end the program with the user's work in it; here it is written
// to "Exception.log", the user is told what failed and where the log is, and
// the program goes on with the next event.

#include <QApplication>

#include <memory>
#include <string>

namespace tavin {

class Prompter;

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    // Who tells the user; null = real message boxes.
    void SetPrompter(Prompter* prompter);

    bool notify(QObject* receiver, QEvent* event) override;

    // "the MouseButtonRelease event of QPushButton "BtnConfigAll"".
    static std::string DescribeEvent(QObject* receiver, QEvent* event);

private:
    void ReportException(QObject* receiver, QEvent* event);

    std::unique_ptr<Prompter> ownPrompter_;
    Prompter* prompter_ = nullptr;
    bool reporting_ = false;
};

} // namespace tavin
