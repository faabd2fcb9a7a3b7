#pragma once
// The transmission mode of the unit (GOES only, ARGOS, or ARGOS & SCD). The
// window's layout follows it, so a change calls back once per real change.

#include <functional>

namespace tavin {

class TTAVINTXType {
public:
    static constexpr int kGoes = 1;
    static constexpr int kArgos = 2;
    static constexpr int kArgosScd = 3;

    explicit TTAVINTXType(std::function<void(TTAVINTXType&)> changed = {})
        : changed_(std::move(changed)) {}

    int Mode() const { return mode_; }
    // Stores the mode and calls back when it differs from the stored one.
    void SetMode(int mode) {
        if (mode == mode_) {
            return;
        }
        mode_ = mode;
        if (changed_) {
            changed_(*this);
        }
    }

private:
    int mode_ = 0; // 0 only before the first setting
    std::function<void(TTAVINTXType&)> changed_;
};

} // namespace tavin
