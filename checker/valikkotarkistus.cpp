#include "valikkotarkistus.h"

#include "check_report.h"

namespace lv {

namespace {

constexpr char kUsage[] =
    "käyttö: valikkotarkistus [--json | --taulukko] TIEDOSTO...\n"
    "\n"
    "Tarkistaa Lumora Valikon valikkotiedostot (valikko.oma) ja kertoo rivinumeroin,\n"
    "mitkä rivit eivät toimi niin kuin näyttää.\n"
    "\n"
    "  --json      havainnot JSON-taulukkona\n"
    "  --taulukko  lisäksi jokaisen painikkeen komennot kaikille seitsemälle painallukselle\n"
    "\n"
    "Paluuarvo: 0 = ei virheitä eikä varoituksia, 1 = virheitä tai varoituksia,\n"
    "2 = tiedostoa ei voitu lukea tai komento oli väärin.\n";

}  // namespace

int RunValikkotarkistus(const std::vector<std::string>& args, const CheckerIo& io) {
  bool json = false, table = false, optionsDone = false;
  std::vector<std::string> files;
  for (const std::string& arg : args) {
    if (optionsDone || arg.empty() || arg[0] != '-' || arg == "-") {
      files.push_back(arg);
    } else if (arg == "--") {
      optionsDone = true;
    } else if (arg == "--json") {
      json = true;
    } else if (arg == "--taulukko") {
      table = true;
    } else if (arg == "--help" || arg == "-h" || arg == "/?") {
      io.out(kUsage);
      return 0;
    } else {
      std::string message = "valikkotarkistus: tuntematon valitsin ";
      io.err(message.append(arg).append("\n\n").append(kUsage));
      return 2;
    }
  }
  if (files.empty() || (json && table)) {
    std::string message = "valikkotarkistus: ";
    if (files.empty())
      message.append("anna tarkistettava tiedosto\n\n").append(kUsage);
    else
      message.append("--json ja --taulukko eivät käy yhdessä\n");
    io.err(message);
    return 2;
  }

  bool unreadable = false;
  size_t read = 0;
  std::vector<Finding> all;
  std::string jsonItems;
  for (const std::string& file : files) {
    std::string bytes, why;
    if (!io.readFile(file, bytes, why)) {
      std::string message = "valikkotarkistus: ";
      io.err(message.append(file).append(": tiedostoa ei voitu lukea: ").append(why).append("\n"));
      unreadable = true;
      continue;
    }
    ++read;
    MenuCheck check = CheckMenuFile(bytes, io.findProgram);
    if (json) {
      std::string items = FindingsJson(file, check.findings);
      if (!items.empty()) jsonItems.append(jsonItems.empty() ? "" : ",\n").append(items);
    } else {
      io.out(FindingsText(file, check.findings));
      if (table) {
        io.out("\n");
        io.out(PressTable(file, check));
        io.out("\n");
      }
    }
    all.insert(all.end(), check.findings.begin(), check.findings.end());
  }
  if (json && jsonItems.empty()) {
    io.out("[]\n");
  } else if (json) {
    io.out("[\n");
    io.out(jsonItems);
    io.out("\n]\n");
  } else if (read > 0) {
    io.out(FindingsSummary(files.size() == 1 ? files[0] : "yhteensä", all) + "\n");
  }

  if (unreadable) return 2;
  for (const Finding& f : all)
    if (f.severity != Severity::huomautus) return 1;
  return 0;
}

}  // namespace lv
