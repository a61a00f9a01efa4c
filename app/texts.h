#pragma once
// Texts the window shows: the restart prompt, the placement report and the About box.
#include <string>
#include <string_view>

namespace lv {

// The restart prompt after the menu file was opened for editing (Yes/No, Yes default).
inline constexpr char kRestartPromptText[] =
    "Muokattuasi valikkoa, käynnistä se uudelleen, jotta määritykset tulevat voimaan\n\n"
    "Käynnistetäänkö valikko uudelleen nyt?";
inline constexpr char kRestartPromptTitle[] = "KÄYNNISTÄ VALIKKO UUDELLEEN";

// A number of twips as the menu file's settings lines want it: the shortest text that
// reads back to the same single-precision value, never in exponent form, "." as the
// decimal point, no decimals for a whole number.
std::string TwipsText(float value);

// The four placement settings as lines ready to paste into the menu file, CR LF after
// each of the five lines.
std::string PlacementReport(float left, float top, float height, float width);
// The question, which stands in the message box's title.
std::string PlacementTitle(std::string_view td);

// The About text, LF after every line including the last, ending with `year`.
std::string AboutText(int year);
std::string AboutTitle();

inline constexpr char kSupportPageUrl[] =
    "https://www.lumora.example/lumora-valikko-ohjelmien-kaynnistamiseen/";

}  // namespace lv
