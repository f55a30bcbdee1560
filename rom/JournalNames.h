#pragma once
// The names that say where a save's journal is: beside the image as the image's name plus
// kJournalSuffix, or in the data folder's kJournalFolder, in which case the image carries the
// journal's path in the extended attribute kJournalMark. Plain constants, so that a program
// without Qt can look for an interrupted save too (cli/PlainPatch.cpp).

namespace dravik::rom {

inline constexpr char kJournalMark[] = "user.dravik.journal";
inline constexpr char kJournalSuffix[] = ".journal";
inline constexpr char kJournalFolder[] = "journals";

} // namespace dravik::rom
