// How the flow model tells the user something: one modal message, returning
// when the user has closed it. The window shows a message box; tests record.
// A message is always the last thing a recalculation does.
#pragma once

#include <string_view>

namespace wavywall {

class Messenger {
public:
    virtual ~Messenger() = default;
    virtual void MsgBox(std::u16string_view text) = 0;

protected:
    Messenger() = default;
    Messenger(const Messenger &) = default;
    Messenger &operator=(const Messenger &) = default;
};

// The leading blank is part of each message (docs/design.md).
namespace messages {
inline constexpr std::u16string_view machOne = u" Moo=1 için teori geçersiz";
/// An empty or mistyped Mach-number box (also "0,8", read up to its comma)
/// reads as 0, which would otherwise draw a plausible still-air picture.
inline constexpr std::u16string_view machZero = u" Mach sayısı 0 olarak okundu";
inline constexpr std::u16string_view tooLarge = u" Girilen değer çok büyük";
/// The note beside a box whose text was read only in part ("only ... was
/// read"; "the comma ends the number, the decimal separator is the point"),
/// with the number read between the first two (partialReadingNote).
inline constexpr std::u16string_view readOnly = u"yalnızca ";
inline constexpr std::u16string_view readOnlyEnd = u" okundu";
inline constexpr std::u16string_view commaEndsNumber =
    u"; virgül sayıyı bitirir, ondalık ayracı noktadır";
} // namespace messages

} // namespace wavywall
