// tavin-cli: the utility's core without windows, for scripts and fleets.

#include "CliParser.h"
#include "files/PreferencesPlace.h"

#include <QCoreApplication>

#include <clocale>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // QCoreApplication adopts the environment's locale for the C library;
    // numbers are written with "." whatever it says.
    std::setlocale(LC_NUMERIC, "C");
    const std::vector<std::string> words(argv + 1, argv + argc);
    const std::string program = QCoreApplication::applicationFilePath().toStdString();
    return tavin::RunCli(words, std::cout, std::cerr, tavin::UtilityPreferencesFile(program),
                         ::isatty(STDERR_FILENO) == 1);
}
