#pragma once
#include <cstdint>
#include <string>

#include "storage/WMemIniFile.h"

namespace storage {

// The widget's settings in "options.ini": four switches in section "options" (true when
// absent) and the window position in section "general" (centred in the work area when
// absent). Reads see the latest writes; only Flush touches the disk.
class TOptions : public TWMemIniFile {
public:
    explicit TOptions(std::wstring fileName);

    bool StayOnTop() const;
    bool AutoScale() const;
    bool ShowTray() const;
    bool StartUp() const;
    int32_t WindowLeft() const;
    int32_t WindowTop() const;

    void SetStayOnTop(bool value);
    void SetAutoScale(bool value);
    void SetShowTray(bool value);
    void SetStartUp(bool value);
    void SetWindowLeft(int32_t value);
    void SetWindowTop(int32_t value);

    int32_t DefaultTop() const { return defaultTop_; }
    int32_t DefaultLeft() const { return defaultLeft_; }

private:
    int32_t defaultTop_ = 0;
    int32_t defaultLeft_ = 0;
};

} // namespace storage
