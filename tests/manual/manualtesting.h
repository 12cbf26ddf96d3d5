// Helpers for the manual-input tests: the runs of a document and a font folder of the test's own.
#pragma once

#include <QTextBlock>
#include <QTextDocument>
#include <ostream>
#include <vector>

#include "documentbox.h"
#include "fontfolder.h"
#include "pieces.h"

namespace manual_testing {

using testing_support::Piece;
using testing_support::piecesOf;

using testing_support::FontFolder;

}  // namespace manual_testing
