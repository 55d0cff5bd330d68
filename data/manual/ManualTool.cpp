// Turns the manual's one source into the text of "vantrel --help" (a header
// of the program) and the manual page vantrel(1), so that the two can never
// say different things. Run at build time:
//   vantrel_manual SOURCE VERSION HEADER_OUT MANPAGE_OUT
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

enum class Kind { Heading, Verbatim, Term, TermText, Text, Blank };

struct Line {
    Kind kind;
    std::string text;
};

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::vector<Line> Parse(std::istream& in, const std::string& version) {
    std::vector<Line> lines;
    for (std::string raw; std::getline(in, raw);) {
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        if (raw.starts_with("#")) continue;
        raw = ReplaceAll(raw, "@VERSION@", version);
        if (raw.empty()) lines.push_back({Kind::Blank, {}});
        else if (raw.starts_with("= ")) lines.push_back({Kind::Heading, raw.substr(2)});
        else if (raw.starts_with("    ")) lines.push_back({Kind::Verbatim, raw.substr(4)});
        else if (raw.starts_with("- ")) lines.push_back({Kind::Term, raw.substr(2)});
        else if (raw.starts_with("  ")) lines.push_back({Kind::TermText, raw.substr(2)});
        else lines.push_back({Kind::Text, raw});
    }
    return lines;
}

// "EXIT STATUS" reads "Exit status:" in the help; the synopsis is "Usage:".
std::string HelpHeading(const std::string& heading) {
    if (heading == "SYNOPSIS") return "Usage:";
    std::string text = heading;
    for (std::size_t i = 1; i < text.size(); ++i)
        if (text[i] >= 'A' && text[i] <= 'Z') text[i] = char(text[i] - 'A' + 'a');
    return text + ":";
}

// The help: every section but the name. The usage text (printed after a
// usage error) is the synopsis and the exit status alone.
std::string Help(const std::vector<Line>& lines, bool usageOnly) {
    std::string out, section;
    bool firstSection = true;
    for (const Line& line : lines) {
        if (line.kind == Kind::Heading) {
            section = line.text;
            if (section == "NAME" || (usageOnly && section != "SYNOPSIS" && section != "EXIT STATUS")) continue;
            if (!firstSection) out += "\n";
            firstSection = false;
            out += HelpHeading(section) + "\n";
            continue;
        }
        if (section == "NAME" || (usageOnly && section != "SYNOPSIS" && section != "EXIT STATUS")) continue;
        switch (line.kind) {
            case Kind::Blank: out += "\n"; break;
            case Kind::Verbatim: out += "    " + line.text + "\n"; break;
            case Kind::Term: out += "    " + line.text + "\n"; break;
            case Kind::TermText: out += "        " + line.text + "\n"; break;
            case Kind::Text: out += "    " + line.text + "\n"; break;
            case Kind::Heading: break;
        }
    }
    // Sections end with an empty line in the source; one is enough.
    while (out.size() >= 2 && out.ends_with("\n\n")) out.pop_back();
    return ReplaceAll(out, "\n\n\n", "\n\n");
}

std::string Roff(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') out += "\\e";
        else if (c == '-') out += "\\-";
        else out += c;
    }
    if (!out.empty() && (out.front() == '.' || out.front() == '\'')) out.insert(0, "\\&");
    return out;
}

std::string ManPage(const std::vector<Line>& lines, const std::string& version) {
    std::string out = ".TH VANTREL 1 \"\" \"Vantrel " + version + "\" \"User Commands\"\n";
    bool verbatim = false, paragraph = false;
    auto endVerbatim = [&] {
        if (verbatim) out += ".fi\n.RE\n";
        verbatim = false;
    };
    for (const Line& line : lines) {
        if (line.kind != Kind::Verbatim) endVerbatim();
        switch (line.kind) {
            case Kind::Heading:
                out += ".SH " + line.text + "\n";
                paragraph = false;
                break;
            case Kind::Blank: paragraph = false; break;
            case Kind::Verbatim:
                if (!verbatim) out += ".RS 4\n.nf\n";
                verbatim = true;
                out += Roff(line.text) + "\n";
                break;
            case Kind::Term:
                out += ".TP\n\\fB" + Roff(line.text) + "\\fR\n";
                paragraph = true;
                break;
            case Kind::TermText: out += Roff(line.text) + "\n"; break;
            case Kind::Text:
                if (!paragraph) out += ".PP\n";
                paragraph = true;
                out += Roff(line.text) + "\n";
                break;
        }
    }
    endVerbatim();
    return out;
}

// A raw string needs a delimiter the text does not hold.
std::string CxxString(const std::string& name, const std::string& text) {
    if (text.find(")manual\"") != std::string::npos) {
        std::cerr << "vantrel_manual: the text holds the raw string's delimiter\n";
        std::exit(1);
    }
    return "inline constexpr std::string_view " + name + " = R\"manual(" + text + ")manual\";\n";
}

bool WriteIfChanged(const std::string& path, const std::string& content) {
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream old;
        old << in.rdbuf();
        if (in && old.str() == content) return true;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    return bool(out << content);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: vantrel_manual SOURCE VERSION HEADER_OUT MANPAGE_OUT\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "vantrel_manual: cannot read " << argv[1] << "\n";
        return 1;
    }
    const std::string version = argv[2];
    const std::vector<Line> lines = Parse(in, version);
    const std::string header = "#pragma once\n// Made from data/manual/vantrel.manual at build time; edit that file.\n"
                               "#include <string_view>\n\nnamespace vantrel {\n\n" +
                               CxxString("kHelpText", Help(lines, false)) +
                               CxxString("kUsageText", Help(lines, true)) + "\n}  // namespace vantrel\n";
    if (!WriteIfChanged(argv[3], header) || !WriteIfChanged(argv[4], ManPage(lines, version))) {
        std::cerr << "vantrel_manual: cannot write the results\n";
        return 1;
    }
    return 0;
}
