#include "default_menu.h"

#include <array>

#include "menu_text.h"

namespace lv {

namespace {

constexpr std::string_view kChartsPage = "https://www.lumora.example/tilikartat";

// The rows are written here as UTF-8 and converted to Windows-1252 as a whole.
// The title row's ninth character is a no-break space, kept in the title on reading.
constexpr std::array<std::string_view, 8> kHead = {
    "title = \xC2\xA0Lumora Valikko",
    "; kommenttirivi alkaa puolipisteellä ",
    "; ao. arvot saa selville kaksoisnapsauttamalla formia, esim ylimmän buttonin yläpuolelta",
    "cmdaja.height=350",
    "cmdaja.width=3800",
    "me.left=10",
    "me.top=10",
    "",
};

constexpr std::array<std::string_view, 30> kPublicPart = {
    "; *** Ilmoitin.fi",
    "Ilmoitin.fi = https://www.ilmoitin.fi/",
    ".ctrl = https://www.vero.fi/tietoa-verohallinnosta/kehittajat/",
    ".alt = ",
    ".shift = https://testi.ilmoitin.fi/",
    ".right = ",
    ".middle = ",
    ".shiftctrl = ",
    ".tooltip = Ilmoitin.fi // shift: testaus / ctrl: kehittäjät-sivusto",
    "",
    "; *** OmaVero",
    "OmaVero = https://www.vero.fi/omavero/",
    ".ctrl = ",
    ".alt = ",
    ".shift = https://www.vero.fi/yritykset-ja-yhteisot/",
    ".right = ",
    ".middle = ",
    ".shiftctrl = ",
    ".tooltip = shift: vero.fi",
    "",
    "; *** Tulorekisteri",
    "Tulorekisteri = https://www.tulorekisteri.fi/",
    ".ctrl = ",
    ".alt = ",
    ".shift = ",
    ".right = ",
    ".middle = ",
    ".shiftctrl = ",
    ".tooltip =",
    "",
};

constexpr std::array<std::string_view, 45> kGenericTail = {
    "; *** muistio",
    "muistio = notepad",
    ".ctrl = ",
    ".alt = ",
    ".shift = ",
    ".right = ",
    ".middle = ",
    ".shiftctrl = ",
    ".tooltip =",
    "",
    "",
    "muokkaa tätä valikkoa = notepad %valikko.oma%",
    "; *** resurssienhallinta",
    "C:\\ = explorer /e /select,c:\\",
    ".ctrl = ",
    ".alt = ",
    ".shift = explorer /e /select,c:\\lumorats",
    ".right = ",
    ".middle = ",
    ".shiftctrl = ",
    ".tooltip = shift: c:\\lumorats",
    "",
    "; *** komentokehote",
    "cmd = cmd /K \"cd \\ & title Lumora Ohjelmat\"",
    ".ctrl = ",
    ".alt = ",
    ".shift =  cmd /K \"cd \\lumorats & title c:\\lumorats\"",
    ".right = ",
    ".middle = ",
    ".shiftctrl = ",
    ".tooltip = shift: c:\\lumorats",
    "",
    "",
    "Reboot = cmd /K Title Käynnistetäänkö tietokone uudelleen? Vastaa 'K' niin käynnistetään"
    "                      ( && choice /C KE /M \"Käynnistetäänkö tietokone uudelleen \" || "
    "IF NOT ERRORLEVEL 2 shutdown -r -t 0",
    "; *** Sammuta",
    "Sammuta = cmd /K Title Sammutetaanko? Vastaa 'K' niin sammutetaan"
    "                      ( && choice /C KE /M \"Sammutetaanko tietokone \" || "
    "IF NOT ERRORLEVEL 2 shutdown -s -t 0",
    ".ctrl = cmd /k @echo ctrl",
    ".alt = cmd /k @echo alt",
    ".shift = cmd /c start shutdown -r -t 0",
    ".right = cmd /k @echo right",
    ".middle = cmd /k @echo middle",
    ".shiftctrl = cmd /k @echo shift + ctrl           ",
    ".clicktitle = Odota ...",
    ".tooltip = shift: restart",
    "",
};

// The desktop path below is an example; the comment rows written with it tell the
// user how to put their own there.
constexpr std::string_view kKassaShortcut = "C:\\Users\\Kayttaja\\Desktop\\Lumora Kassa.appref-ms";

constexpr std::array<ProductBlock, 15> kProductBlocks = {{
    {.kind = BlockKind::Program,
     .blockName = "Lumora Kirjanpito",
     .caption = "Kirjanpito",
     .programPath = "C:\\LUMORA\\KIRJANPITO\\KIRJANPITO.EXE",
     .productPage = "https://www.lumora.example/kirjanpito",
     .supportPage = "https://tuki.lumora.example/kirjanpito",
     .knowledgePage = "https://www.lumora.example/tietopankki/kirjanpito",
     .manual = "https://www.lumora.example/ohjeet/kirjanpito.pdf",
     .update = "https://www.lumora.example/lataa/kirjanpito-asennus.exe",
     .changeHistory = "https://www.lumora.example/muutoshistoria/kirjanpito",
     .tipName = "LUMORA KIRJANPITO",
     .blankRowsAfter = 2},
    {.kind = BlockKind::DesktopShortcut,
     .blockName = "Lumora Kassa (työpöydän pikakuvake)",
     .caption = "Kassa",
     .programPath = kKassaShortcut,
     .productPage = "https://www.lumora.example/kassa",
     .supportPage = "https://tuki.lumora.example/kassa",
     .knowledgePage = "https://www.lumora.example/tietopankki/kassa",
     .manual = "https://www.lumora.example/ohjeet/kassa.pdf",
     .update = "https://www.lumora.example/paivitykset",
     .changeHistory = "https://www.lumora.example/muutoshistoria/kassa",
     .tipName = "LUMORA KASSA"},
    {.kind = BlockKind::Program,
     .blockName = "Lumora Veroilmoitus",
     .caption = "Veroilmoitus",
     .programPath = "C:\\Program Files (x86)\\Lumora\\Veroilmoitus\\VEROILMOITUS.EXE",
     .productPage = "https://www.lumora.example/veroilmoitus",
     .supportPage = "https://tuki.lumora.example/veroilmoitus",
     .knowledgePage = "https://www.lumora.example/tietopankki/veroilmoitus",
     .manual = "https://www.lumora.example/ohjeet/veroilmoitus.pdf",
     .update = "https://www.lumora.example/lataa/veroilmoitus-asennus.exe",
     .changeHistory = "https://www.lumora.example/muutoshistoria/veroilmoitus",
     .middleTarget = "https://www.lumora.example/veroilmoitus/lomakkeet",
     .middleName = "lomakkeet",
     .tipName = "LUMORA VEROILMOITUS"},
    {.kind = BlockKind::Program,
     .blockName = "Lumora Pankki",
     .caption = "Pankki",
     .programPath = "C:\\LUMORA\\PANKKI\\PANKKI.EXE",
     .productPage = "https://www.lumora.example/pankki",
     .supportPage = "https://tuki.lumora.example/pankki",
     .knowledgePage = "https://www.lumora.example/tietopankki/pankki",
     .manual = "https://www.lumora.example/ohjeet/pankki.pdf",
     .update = "https://www.lumora.example/lataa/pankki-asennus.exe",
     .changeHistory = "https://www.lumora.example/muutoshistoria/pankki",
     .tipName = "LUMORA PANKKI"},
    {.kind = BlockKind::Program,
     .blockName = "Lumora Palkat",
     .caption = "Palkat",
     .programPath = "C:\\Program Files (x86)\\Lumora\\Palkat\\PALKAT.EXE",
     .productPage = "https://www.lumora.example/palkat",
     .supportPage = "https://tuki.lumora.example/palkat",
     .knowledgePage = "https://www.lumora.example/tietopankki/palkat",
     .manual = "https://www.lumora.example/ohjeet/palkat.pdf",
     .update = "https://www.lumora.example/lataa/palkat-asennus.exe",
     .changeHistory = "https://www.lumora.example/muutoshistoria/palkat",
     .middleTarget = "https://www.lumora.example/palkat/palkkataulukot",
     .middleName = "palkkataulukot",
     .tipName = "LUMORA PALKAT",
     .blankRowsAfter = 2},
    {.kind = BlockKind::Program,
     .blockName = "Lumora Ostoreskontra",
     .caption = "Ostoreskontra",
     .programPath = "C:\\LUMORA\\OSTORES\\OSTORES.EXE",
     .productPage = "https://www.lumora.example/ostoreskontra",
     .supportPage = "https://tuki.lumora.example/ostoreskontra",
     .knowledgePage = "https://www.lumora.example/tietopankki/ostoreskontra",
     .manual = "https://www.lumora.example/ohjeet/ostoreskontra.pdf",
     .update = "https://www.lumora.example/lataa/ostoreskontra-asennus.exe",
     .changeHistory = "https://www.lumora.example/muutoshistoria/ostoreskontra",
     .tipName = "LUMORA OSTORESKONTRA"},
    {.kind = BlockKind::Program,
     .blockName = "Lumora Laskutus ",
     .caption = "Laskutus",
     .programPath = "C:\\LUMORA\\LASKUTUS\\LASKUTUS.EXE",
     .productPage = "https://www.lumora.example/laskutus",
     .supportPage = "https://tuki.lumora.example/laskutus",
     .knowledgePage = "https://www.lumora.example/tietopankki/laskutus",
     .manual = "https://www.lumora.example/ohjeet/laskutus.pdf",
     .update = "https://www.lumora.example/lataa/laskutus-asennus.exe",
     .changeHistory = "https://www.lumora.example/muutoshistoria/laskutus",
     .middleCommented = true,
     .tipName = "LUMORA LASKUTUS",
     .tip = TipStyle::NoMiddle,
     .tipTrailingSpace = true},
    {.kind = BlockKind::Program,
     .blockName = "Lumora Tilaukset",
     .caption = "Tilaukset",
     .programPath = "C:\\LUMORA\\TILAUS\\TILAUS.EXE",
     .productPage = "https://www.lumora.example/tilaukset",
     .supportPage = "https://tuki.lumora.example/tilaukset",
     .knowledgePage = "https://www.lumora.example/tietopankki/tilaukset",
     .manual = "https://www.lumora.example/ohjeet/tilaukset.pdf",
     .update = "https://www.lumora.example/lataa/tilaukset-asennus.exe",
     .changeHistory = "https://www.lumora.example/muutoshistoria/tilaukset",
     .middleCommented = true,
     .tipName = "LUMORA TILAUKSET",
     .tip = TipStyle::NoMiddle},
    {.kind = BlockKind::Program,
     .blockName = "Lumora Kiinteistö",
     .caption = "Kiinteistö",
     .programPath = "C:\\LUMORA\\KIINTEISTO\\KIINTEISTO.EXE",
     .productPage = "https://www.lumora.example/kiinteisto",
     .supportPage = "https://tuki.lumora.example/kiinteisto",
     .knowledgePage = "https://www.lumora.example/tietopankki/kiinteisto",
     .manual = "https://www.lumora.example/ohjeet/kiinteisto.pdf",
     .update = "https://www.lumora.example/lataa/kiinteisto-asennus.exe",
     .changeHistory = "https://www.lumora.example/muutoshistoria/kiinteisto",
     .middleCommented = true,
     .tipName = "LUMORA KIINTEISTÖ",
     .tip = TipStyle::NoMiddle,
     .tipTrailingSpace = true,
     .blankRowsAfter = 2},
    {.kind = BlockKind::Program,
     .blockName = "Lumora Tehtävät",
     .caption = "Tehtävät",
     .programPath = "C:\\LUMORA\\TEHTAVAT\\TEHTAVAT.EXE",
     .productPage = "https://www.lumora.example/tehtavat",
     .supportPage = "https://tuki.lumora.example/tehtavat",
     .knowledgePage = "https://www.lumora.example/tietopankki/tehtavat",
     .manual = "https://www.lumora.example/ohjeet/tehtavat.pdf",
     .update = "https://www.lumora.example/lataa/tehtavat-asennus.exe",
     .changeHistory = "https://www.lumora.example/muutoshistoria/tehtavat",
     .middleTarget = "https://www.lumora.example/tehtavat/mallipohjat",
     .middleName = "mallipohjat",
     .tipName = "LUMORA TEHTÄVÄT"},
    {.kind = BlockKind::WebPage,
     .blockName = "Lumora Raportit (johdon raportointi verkossa)",
     .caption = "Raportit",
     .productPage = "https://raportit.lumora.example/",
     .supportPage = "https://tuki.lumora.example/raportit",
     .knowledgePage = "https://www.lumora.example/tietopankki/raportit",
     .manual = "https://www.lumora.example/ohjeet/raportit.pdf",
     .update = "https://www.lumora.example/paivitykset",
     .changeHistory = "https://www.lumora.example/muutoshistoria/raportit",
     .tipName = "LUMORA RAPORTIT",
     .blankRowsAfter = 3},
    {.kind = BlockKind::Program,
     .blockName = "Lumora eLasku-liitin",
     .caption = "eLasku-liitin",
     .programPath = "C:\\Program Files (x86)\\Lumora\\eLasku-liitin\\ELASKULIITIN.EXE",
     .productPage = "https://www.lumora.example/elasku-liitin",
     .supportPage = "https://www.lumora.example/ohjeet/elasku-liitin",
     .knowledgePage = "https://www.lumora.example/ohjeet/elasku-liitin",
     .manual = "https://www.lumora.example/ohjeet/elasku-liitin",
     .update = "https://www.lumora.example/lataa/elasku-liitin-asennus.exe",
     .changeHistory = "https://www.lumora.example/ohjeet/elasku-liitin",
     .middleCommented = true,
     .tipName = "LUMORA ELASKU-LIITIN",
     .tip = TipStyle::Tool},
    {.kind = BlockKind::Program,
     .blockName = "Lumora Tilinumeromuunnin ",
     .caption = "Tilinumeromuunnin",
     .programPath = "C:\\LUMORA\\TILINRO\\TILINRO.EXE",
     .productPage = "https://www.lumora.example/tilinumeromuunnin",
     .supportPage = "https://www.lumora.example/ohjeet/tilinumeromuunnin",
     .knowledgePage = "https://www.lumora.example/ohjeet/tilinumeromuunnin",
     .manual = "https://www.lumora.example/ohjeet/tilinumeromuunnin",
     .update = "https://www.lumora.example/lataa/tilinumeromuunnin-asennus.exe",
     .changeHistory = "https://www.lumora.example/ohjeet/tilinumeromuunnin",
     .middleCommented = true,
     .tipName = "LUMORA TILINUMEROMUUNNIN",
     .tip = TipStyle::Tool},
    {.kind = BlockKind::Program,
     .blockName = "Lumora Viivakoodinlukija",
     .caption = "Viivakoodinlukija",
     .programPath = "C:\\LUMORA\\VIIVAKOODI\\VIIVAKOODI.EXE",
     .productPage = "https://www.lumora.example/viivakoodinlukija",
     .supportPage = "https://www.lumora.example/ohjeet/viivakoodinlukija",
     .knowledgePage = "https://www.lumora.example/ohjeet/viivakoodinlukija",
     .manual = "https://www.lumora.example/ohjeet/viivakoodinlukija",
     .update = "https://www.lumora.example/lataa/viivakoodinlukija-asennus.exe",
     .changeHistory = "https://www.lumora.example/ohjeet/viivakoodinlukija",
     .middleCommented = true,
     .tipName = "LUMORA VIIVAKOODINLUKIJA",
     .tip = TipStyle::Tool,
     .blankRowsAfter = 2},
    {.kind = BlockKind::WebPage,
     .blockName = "Lumora päivitykset",
     .caption = "Päivitykset",
     .productPage = "https://www.lumora.example/paivitykset",
     .supportPage = "https://tuki.lumora.example/",
     .knowledgePage = "https://www.lumora.example/tietopankki",
     .manual = "https://www.lumora.example/ohjeet/asennusohje.pdf",
     .update = "https://www.lumora.example/paivitykset",
     .changeHistory = "https://www.lumora.example/muutoshistoria",
     .tipName = "LUMORA PÄIVITYKSET"},
}};

// cmd splits an unquoted path at its spaces, so such a path is quoted wherever it is
// written into a command line.
std::string QuotedPath(std::string_view path) {
  if (path.find(' ') == std::string_view::npos) return std::string(path);
  std::string quoted = "\"";
  quoted += path;
  quoted += '"';
  return quoted;
}

std::string Join(std::initializer_list<std::string_view> parts) {
  std::string s;
  for (std::string_view p : parts) s += p;
  return s;
}

std::string TooltipRow(const ProductBlock& b) {
  std::string row = Join({".tooltip = ", b.tipName, " // shift: "});
  if (b.tip == TipStyle::Tool) return row + "ohjesivu";
  row +=
      "käyttötuki (on-line ohje) / ctrl: tietopankki / shift + ctrl: pdf-ohje / "
      "alt: päivitä netistä / oik.painike: muutoshistoria";
  if (b.tip == TipStyle::Full)
    row += Join({" / rullan painallus: ", b.middleTarget.empty() ? "tilikartat" : b.middleName});
  if (b.tipTrailingSpace) row += ' ';
  return row;
}

// The rows that open the block: the header and the entry (with what comes with it).
void AppendStartRows(const ProductBlock& b, bool installed, std::vector<std::string>& rows) {
  rows.push_back(Join({"; *** ", b.blockName}));
  const std::string path = QuotedPath(b.programPath);
  switch (b.kind) {
    case BlockKind::Program: {
      std::string direct = Join({b.caption, " = ", path});
      if (installed) {
        rows.push_back(std::move(direct));
        return;
      }
      rows.push_back(Join({";", direct}));
      rows.push_back(Join({b.caption, " = cmd /c if exist ", path, " (", path, ") ELSE (start ",
                           b.productPage, ")"}));
      return;
    }
    case BlockKind::DesktopShortcut:
      rows.push_back(
          "; Vaihda alla oleviin riveihin työpöytäsi polku (nyt C:\\Users\\Kayttaja\\Desktop).");
      rows.push_back(
          "; Polun saat selville avaamalla komentokehotteen ja raahaamalla työpöydän "
          "pikakuvakkeen sen ikkunaan.");
      rows.push_back(Join({";", b.caption, " = cmd /c start \"\" ", path}));
      rows.push_back(Join({b.caption, " = cmd /c if exist ", path, " (start \"", b.caption, "\" ",
                           path, ") ELSE (start ", b.productPage, ")"}));
      return;
    case BlockKind::WebPage: rows.push_back(Join({b.caption, " = ", b.productPage})); return;
  }
}

void AppendBlock(const ProductBlock& b, bool installed, std::vector<std::string>& rows) {
  AppendStartRows(b, installed, rows);
  rows.push_back(";Käyttötuki (online-ohje)");
  rows.push_back(Join({".shift = ", b.supportPage}));
  rows.push_back(";Tietopankki");
  rows.push_back(Join({".ctrl = ", b.knowledgePage}));
  rows.push_back(";pdf-manuska");
  rows.push_back(Join({".shiftctrl = ", b.manual}));
  rows.push_back(";Päivitä netistä");
  rows.push_back(Join({".alt = ", b.update}));
  rows.push_back(";Muutoshistoria");
  rows.push_back(Join({".right = ", b.changeHistory}));
  rows.push_back(";Tilikartat");
  if (b.middleCommented)
    rows.push_back(Join({";.middle = ", kChartsPage}));
  else
    rows.push_back(Join({".middle = ", b.middleTarget.empty() ? kChartsPage : b.middleTarget}));
  rows.push_back(TooltipRow(b));
  for (int i = 0; i < b.blankRowsAfter; ++i) rows.emplace_back();
}

}  // namespace

std::span<const ProductBlock> DefaultProductBlocks() {
  return kProductBlocks;
}

std::string BuildDefaultMenu(
    const std::function<bool(const std::string& programPath)>& fe_levylla) {
  std::vector<std::string> rows(kHead.begin(), kHead.end());
  for (const ProductBlock& b : kProductBlocks) {
    const bool installed = b.kind == BlockKind::Program && fe_levylla(std::string(b.programPath));
    AppendBlock(b, installed, rows);
  }
  rows.insert(rows.end(), kPublicPart.begin(), kPublicPart.end());
  rows.insert(rows.end(), kGenericTail.begin(), kGenericTail.end());

  std::string text;
  for (const std::string& row : rows) {
    text += row;
    text += "\r\n";
  }
  return Utf8ToWindows1252(text);
}

std::vector<std::string> DefaultMenuProgramPaths() {
  std::vector<std::string> paths;
  for (const ProductBlock& b : kProductBlocks)
    if (b.kind == BlockKind::Program) paths.emplace_back(b.programPath);
  return paths;
}

}  // namespace lv
