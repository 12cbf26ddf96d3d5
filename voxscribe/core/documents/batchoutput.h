// The output of a batch run without a window: the batch lines as plain text, the words with
// their Unicode IPA, or the RTF document the batch window saves, streamed as the words come.
#pragma once

#include <QString>
#include <memory>

#include "batchengine.h"
#include "unicodeipa.h"

namespace core {

enum class BatchFormat { Lines, Ipa, Rtf };

class BatchOutput : public BatchSink {
public:
    // After the run: puts the output in place. False with *error (in Chinese) when it could not.
    virtual bool finish(QString* error) = 0;
};

// path: the file the output goes to; standard output when empty. symbols: those of the IPA form
// of British codes (American codes always take the classic ones).
std::unique_ptr<BatchOutput> batchOutput(
    BatchFormat format, const QString& path,
    sonabet::notation::Symbols symbols = sonabet::notation::Symbols::Classic);

}  // namespace core
