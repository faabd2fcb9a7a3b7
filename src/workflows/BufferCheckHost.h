#pragma once
// What the data buffer check and refresh ask of the window around them: the
// check boxes, memos and "Refresh" buttons of the two buffer pages and the
// views of the two buffer status tabs of Monitor mode. Every member has a
// do-nothing default.

#include <string>

namespace tavin {

// Which buffer: the timed or the random one.
enum class DataBuffer { Timed, Random };

class BufferCheckHost {
public:
    virtual ~BufferCheckHost() = default;

    // `cbTimedDataBufferCheck` / `cbRandomDataBufferCheck` loses its tick
    // (without running its click handler).
    virtual void UncheckBufferCheck(DataBuffer /*which*/) {}
    // `memoTimedBufferCheck` / `memoRandomBufferCheck`.
    virtual void ShowCheckMemo(DataBuffer /*which*/, bool /*shown*/) {}
    virtual void ClearCheckMemo(DataBuffer /*which*/) {}
    virtual void AppendCheckMemo(DataBuffer /*which*/, const std::string& /*line*/) {}
    // `btnTimedBufferRefresh` / `btnRandomBufferRefresh`.
    virtual void ShowRefreshButton(DataBuffer /*which*/, bool /*shown*/) {}
    // The open progress box's window caption.
    virtual void SetProgressBoxCaption(const std::string& /*caption*/) {}

    // Monitor mode's buffer tabs: `LblTimedBfrLength`, `MemoTimedDataBfr`.
    virtual void ShowStatusBufferSize(DataBuffer /*which*/, const std::string& /*size*/) {}
    virtual void ClearStatusMemo(DataBuffer /*which*/) {}
    virtual void AppendStatusMemo(DataBuffer /*which*/, const std::string& /*line*/) {}
};

} // namespace tavin
