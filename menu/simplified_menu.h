#pragma once
// The short menu that the Edit menu puts on the clipboard for the user to paste over
// the long default one.
#include <array>
#include <string>
#include <string_view>

namespace lv {

// The fourteen rows, as UTF-8: a title, comments, four active settings and six entries.
inline constexpr std::array<std::string_view, 14> kSimplifiedMenuRows = {
    "title =  Lumora Valikko",
    "; kommenttirivi voi alkaa puolipisteellä tai REM sanalla. jos yhtäsuuri -merkki puuttuu, "
    "sekin rivi on kommenttirivit",
    "; painikkeen korkeuden ja leveyden voi määrittää (ota puolipiste pois rivin alusta)",
    "; ao. arvot saa selville kaksoisnapsauttamalla formia, esim ylimmän buttonin yläpuolelta",
    "cmdaja.height=350",
    "cmdaja.width=3800",
    "me.left=10",
    "me.top=10",
    "Lumora.example = cmd /c start https://www.lumora.example/",
    "muistio = notepad",
    "C:\\ (resurssienhallinta) = explorer /e /select,c:\\",
    "cmd = cmd /K \"cd \\ & title Lumora Ohjelmat\"",
    "Reboot = cmd /K Title Käynnistetäänkö tietokone uudelleen? Vastaa 'K' niin käynnistetään"
    "                      ( && choice /C KE /M \"Käynnistetäänkö tietokone uudelleen \" || "
    "IF NOT ERRORLEVEL 2 shutdown -r -t 0",
    "Sammuta = cmd /K Title Sammutetaanko? Vastaa 'K' niin sammutetaan"
    "                      ( && choice /C KE /M \"Sammutetaanko tietokone \" || "
    "IF NOT ERRORLEVEL 2 shutdown -s -t 0",
};

// The rows with CR LF after each one, the last one too: the clipboard text.
std::string SimplifiedMenuText();

// Shown after the text is on the clipboard (information icon, OK).
inline constexpr char kSimplifiedInfoText[] =
    "Leikepöydällä on nyt pelkistetyn valikon valinnat.\n"
    "Kun muistioon avautuu valikko.oma, korvaa siinä olevat rivit leikepöydällä olevilla";
inline constexpr char kSimplifiedInfoTitle[] = "PELKISTETYT VALINNAT LEIKEPÖYDÄLLÄ";

// Any failure of the clipboard, Notepad or restart step: prefix + the error's
// description, no icon, OK.
inline constexpr char kSimplifiedErrorPrefix[] = "Pulma: ";
inline constexpr char kSimplifiedErrorTitle[] = "PULMA LEIKEPÖYDÄLLE KOPIOINNISSA";

}  // namespace lv
