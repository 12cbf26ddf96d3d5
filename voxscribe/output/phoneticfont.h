// The face that draws the phonetic codes as IPA, under the name the document code uses.
#pragma once

#include "documentstyle.h"

namespace output {

using core::phoneticFont;

}  // namespace output
