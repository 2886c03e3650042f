// The clock and the number locale on Win32.
#pragma once

#include "platform/services.h"

namespace kestrow::win32 {

class Win32Clock final : public Clock {
public:
    TimeOfDay timeOfDay() const override;
    std::int64_t monotonicMs() const override;
};

class Win32NumberLocale final : public NumberLocale {
public:
    std::string decimalSeparator() const override;
};

}  // namespace kestrow::win32
