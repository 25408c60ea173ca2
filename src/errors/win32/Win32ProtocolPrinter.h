// Prints the error protocol on the default printer in Courier, 8 points.
#pragma once

#include "errors/ErrorWindowView.h"

namespace plenvik::win32 {

class Win32ProtocolPrinter : public ProtocolPrinter {
public:
    // False without a default printer (nothing is shown then) or when the job fails.
    bool print(const std::vector<std::string>& lines) override;
};

}  // namespace plenvik::win32
