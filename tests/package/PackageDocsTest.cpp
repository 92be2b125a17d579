// What the package says about its programs, checked against the programs
// themselves: each manual page names every option, switch, command, value
// list and environment variable the program's --help names, and the shell
// completion offers every command and option of tessaro-cli.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "tests/package/DebianPackage.h"
#include "tests/support/FileBytes.h"

namespace tessaro::cli::testing {
namespace {

namespace fs = std::filesystem;

bool IsWordCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_'; }

// `word` stands on its own in `text`: "-v" is not found inside "--verbose".
bool HasWord(const std::string& text, const std::string& word) {
  for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
    const bool before = at > 0 && IsWordCharacter(text[at - 1]);
    const bool after = at + word.size() < text.size() && IsWordCharacter(text[at + word.size()]);
    if (!before && !after) return true;
  }
  return false;
}

std::set<std::string> Matches(const std::string& text, const std::string& pattern) {
  std::set<std::string> found;
  const std::regex expression(pattern);
  for (std::sregex_iterator it(text.begin(), text.end(), expression), end; it != end; ++it) found.insert((*it)[1]);
  return found;
}

// In a --help text: "--port", "-v"; "read-all" at the start of an indented line.
constexpr const char* OptionPattern = R"((?:^|[^A-Za-z0-9_-])(--?[A-Za-z][A-Za-z0-9-]*))";
constexpr const char* CommandPattern = R"(\n  ([a-z][a-z-]+)(?: |\n))";

// The words of a --help text that a reader must be able to look up.
std::set<std::string> NamedInHelp(const std::string& help) {
  std::set<std::string> words = Matches(help, OptionPattern);
  words.merge(Matches(help, R"((?:^|[\s\[])(/[A-Z]+)\b)"));              // /LOG
  words.merge(Matches(help, R"((TESSARO_[A-Z_]+))"));                    // TESSARO_COM<n>
  words.merge(Matches(help, R"(([a-z]+(?:\|[a-z]+)+))"));                // en|nl|de|fr
  words.merge(Matches(help, CommandPattern));
  for (const std::string& kinds : Matches(help, R"(kinds: ([^\n]+))")) { // fault kinds
    words.merge(Matches(kinds, R"(([a-z-]+))"));
  }
  return words;
}

// A manual page's roff source as its reader sees the words.
std::string PlainManualPage(const std::string& roff) {
  std::string plain = std::regex_replace(roff, std::regex(R"(\\f[BIRP])"), "");
  plain = std::regex_replace(plain, std::regex(R"(\\[%&])"), "");
  return std::regex_replace(plain, std::regex(R"(\\-)"), "-");
}

TEST_F(DebianPackage, ManualPagesNameEverythingTheProgramsHelpNames) {
  for (const char* program : {"tessaro-ip", "tessaro-cli", "tessaro-unit-sim"}) {
    const Finished help = RunToEnd({(Root() / "usr/bin" / program).string(), "--help"}, {});
    ASSERT_EQ(help.status, 0) << program << ": " << help.err;
    ASSERT_EQ(help.out.rfind(std::string("Usage: ") + program, 0), 0u) << help.out;

    const fs::path page = Root() / "usr/share/man/man1" / (std::string(program) + ".1.gz");
    const Finished unpacked = RunToEnd({TESSARO_GZIP, "-dc", page.string()}, {});
    ASSERT_EQ(unpacked.status, 0) << page << ": " << unpacked.err;
    const std::string manual = PlainManualPage(unpacked.out);

    const std::set<std::string> named = NamedInHelp(help.out);
    EXPECT_GE(named.size(), 10u) << program << ": too few words taken from\n" << help.out;
    for (const std::string& word : named) {
      EXPECT_TRUE(HasWord(manual, word)) << program << "'s manual page lacks " << word;
    }
    for (const char* section : {".SH NAME\n", ".SH SYNOPSIS\n", ".SH DESCRIPTION\n", ".SH OPTIONS\n",
                                ".SH EXIT STATUS\n", ".SH SEE ALSO\n"}) {
      EXPECT_TRUE(Has(manual, section)) << program << " has no " << section;
    }
    EXPECT_TRUE(Has(manual, "\"Tessaro-IP " TESSARO_VERSION "\"")) << program << ": the version in the page footer";
  }
}

TEST_F(DebianPackage, ChangelogStartsWithThisVersion) {
  const fs::path file = Root() / "usr/share/doc/tessaro-ip/changelog.gz";
  const Finished changelog = RunToEnd({TESSARO_GZIP, "-dc", file.string()}, {});
  ASSERT_EQ(changelog.status, 0) << changelog.err;
  EXPECT_EQ(changelog.out.rfind("tessaro-ip (" TESSARO_VERSION ") unstable; urgency=medium\n", 0), 0u) << changelog.out;
}

// Bash asked to complete `words` (the last one being typed) in a folder with
// a.cfg, b.CFG, notes.txt and sub/, with TESSARO_COM7 set and port 12 bound
// in the program folder.
std::set<std::string> CompletionsFor(const fs::path& root, const fs::path& scratch,
                                     const std::vector<std::string>& words) {
  const fs::path work = scratch / "completion";
  if (!fs::exists(work)) {
    fs::create_directories(work / "sub");
    fs::create_directories(work / "folder");
    for (const char* file : {"a.cfg", "b.CFG", "notes.txt"}) tessaro::testing::WriteBytes(work / file, "");
    tessaro::testing::WriteBytes(work / "folder/TessaroPorts.set", "  12           Com12 ->/dev/ttyUSB9\r\n");
  }
  std::vector<std::string> argv{TESSARO_BASH, "-c",
                                "cd \"$1\" && source \"$2\" && shift 2 && COMP_WORDS=(\"$@\") && "
                                "COMP_CWORD=$(($# - 1)) && _tessaro_cli \"$1\" \"${@: -1}\" && "
                                "printf '%s\\n' \"${COMPREPLY[@]}\"",
                                "bash", work.string(),
                                (root / "usr/share/bash-completion/completions/tessaro-cli").string(),
                                (root / "usr/bin/tessaro-cli").string()};
  argv.insert(argv.end(), words.begin(), words.end());
  const Finished run =
      RunToEnd(argv, {{"TESSARO_COM7", "/dev/null"}, {"TESSARO_PROGRAM_FOLDER", (work / "folder").string()}});
  EXPECT_EQ(run.status, 0) << run.err;
  std::set<std::string> offered;
  for (const std::string& line : SplitLines(run.out)) {
    if (!line.empty()) offered.insert(line);
  }
  return offered;
}

TEST_F(DebianPackage, CompletionOffersEveryCommandAndOptionTheHelpNames) {
  const std::string help = RunToEnd({(Root() / "usr/bin/tessaro-cli").string(), "--help"}, {}).out;
  const auto Offered = [](const std::vector<std::string>& words) { return CompletionsFor(Root(), Scratch(), words); };
  const std::set<std::string> commands = Matches(help, CommandPattern);
  EXPECT_GE(commands.size(), 10u) << help;
  EXPECT_EQ(Offered({""}), commands);

  std::set<std::string> options = Offered({"-"});
  for (const std::string& command : commands) options.merge(Offered({command, "-"}));
  for (const std::string& option : Matches(help, OptionPattern)) {
    EXPECT_TRUE(options.count(option)) << option << " is never offered";
  }
}

TEST_F(DebianPackage, CompletionOffersTheValuesEachPlaceTakes) {
  struct Case {
    std::vector<std::string> words;
    std::set<std::string> offered;
  };
  const auto Offered = [](const std::vector<std::string>& words) { return CompletionsFor(Root(), Scratch(), words); };
  const std::set<std::string> settingsFiles = {"a.cfg", "b.CFG", "folder", "sub"};
  const Case cases[] = {
      {{"--lang", ""}, {"en", "nl", "de", "fr"}},
      {{"--lang", "=", "n"}, {"nl"}},
      {{"read", "--format", ""}, {"text", "json"}},
      {{"--port", "3", "re"}, {"read-all", "read", "reset"}},
      {{"write-all", ""}, settingsFiles},
      {{"--lang", "de", "show", ""}, settingsFiles},
      {{"read-all", "--save", ""}, settingsFiles},
      {{"read-all", "--"}, {"--port", "--device", "--lang", "--debug", "--format", "--verbose", "--help", "--save"}},
      {{"write-all", "a.cfg", "--n"}, {"--no-backup"}},
      {{"test-call", "1234", "--b"}, {"--bleep"}},
      {{"reset", ""}, {}},
  };
  for (const Case& c : cases) {
    std::string typed;
    for (const std::string& word : c.words) typed += " " + word;
    EXPECT_EQ(Offered(c.words), c.offered) << "tessaro-cli" << typed;
  }

  // The ports the program itself reports: a variable's and a binding's.
  const std::set<std::string> ports = Offered({"--port", ""});
  EXPECT_TRUE(ports.count("7") && ports.count("12")) << ::testing::PrintToString(ports);
  for (const std::string& port : ports) EXPECT_TRUE(std::regex_match(port, std::regex("[1-9][0-9]*"))) << port;
}

}  // namespace
}  // namespace tessaro::cli::testing
