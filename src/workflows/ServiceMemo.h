#pragma once
// The memo of a service window as its logic sees it: lines are appended and
// the whole memo is emptied. The window shows it; tests record it.

#include <string>

namespace tavin {

class ServiceMemo {
public:
    virtual ~ServiceMemo() = default;
    virtual void AppendLine(const std::string& line) = 0;
    virtual void ClearLines() = 0;
};

} // namespace tavin
