// The one class of the dictionary library: ipa, class identifier "sonabet.ipa".
#pragma once

#include "component.h"

namespace sonabet {

inline constexpr const char* kProgId = "sonabet.ipa";
inline constexpr const char* kTypeLibrary = "sonabet";

// {8C2E4A51-6B0D-4F3A-B8E2-1D5C9A7F3E60}
inline constexpr component::Guid kClsidIpa{
    0x8C2E4A51, 0x6B0D, 0x4F3A, {0xB8, 0xE2, 0x1D, 0x5C, 0x9A, 0x7F, 0x3E, 0x60}};
// {8C2E4A52-6B0D-4F3A-B8E2-1D5C9A7F3E60}
inline constexpr component::Guid kIidIpa{
    0x8C2E4A52, 0x6B0D, 0x4F3A, {0xB8, 0xE2, 0x1D, 0x5C, 0x9A, 0x7F, 0x3E, 0x60}};

// Beside the 22 methods, the dispatch interface answers one more by name: the American
// transcription of a word of any initial (empty where there is none). It has no slot in _ipa,
// whose layout stays as it is for every existing caller.
inline constexpr const char16_t* kAmericanMethod = u"American";

// And one more by name, for a caller that wants everything on a word from one call: the British
// transcription, the mark of doubt ("?" or nothing, as the method "Uncertain" answers) and the
// American transcription, joined by tabs; the empty string for a word the dictionary lacks.
inline constexpr const char16_t* kEntryMethod = u"Entry";
inline constexpr char16_t kEntrySeparator = u'\t';

// The interface _ipa: the dispatch interface followed by the 22 methods in their fixed order.
// Each takes the word (a null pointer counts as empty) and returns a new string in *result.
struct _ipa : component::IDispatch {
#define SONABET_GROUP(method, initials, table)                                   \
    virtual component::Result method(const char16_t* word, std::uint32_t length, \
                                     component::IText** result) noexcept = 0;
#include "tables/groups.inc"
#undef SONABET_GROUP

protected:
    ~_ipa() = default;
};

}  // namespace sonabet
