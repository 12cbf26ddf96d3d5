// The terminal of a run without a window: standard output and standard error, and message boxes
// that are written to standard error, answered by their default button.
#pragma once

#include <QString>
#include <cstdio>

#include "services.h"

namespace commandline {

void write(std::FILE* stream, const QString& text);
// A line to standard error, "voxscribe: " first.
void tell(const QString& text);

// The program's services with message boxes that go to standard error: nobody is there to answer.
class QuietServices {
public:
    explicit QuietServices(platform::Services& services);
    platform::Services& services() { return services_; }

private:
    class StandardErrorMessages final : public platform::MessageBoxes {
    public:
        platform::Answer show(QWidget*, const QString& text, platform::Icon, platform::Buttons,
                              platform::Answer defaultButton) override;
    };
    StandardErrorMessages messages_;
    platform::Services services_;
};

}  // namespace commandline
