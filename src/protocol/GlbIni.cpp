#include "protocol/GlbIni.h"

namespace tavin {

TGlbIni DefaultGlbIni(const std::string& programFolder) {
    TGlbIni ini;
    ini.LogSavePath = programFolder;
    ini.LogOpenPath = programFolder;
    ini.TemplatePath = programFolder;
    ini.ConfigPath = programFolder;
    return ini;
}

} // namespace tavin
