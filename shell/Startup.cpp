#include "shell/Startup.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "items/Item.h"
#include "values/Stream.h"

extern char** environ;

namespace vantrel {

namespace fs = std::filesystem;

const char kProjectMimeType[] = "application/x-vantrel-project";

namespace {

constexpr char kProduct[] = "Vantrel";
constexpr char kVersionMarker[] = "kestlib.lib";
constexpr char kVersionFile[] = "version.ini";
constexpr char kDesktopFile[] = "applications/vantrel.desktop";
constexpr char kMimePackage[] = "mime/packages/vantrel.xml";

std::string Format(const char* format, int major, int minor) {
    char text[64];
    std::snprintf(text, sizeof text, format, kProduct, major, minor);
    return text;
}

std::optional<std::string> ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Replaces the file only when its content differs, through a temporary
// beside it so that a reader never sees half a file. Answers whether the
// file now holds the content; changed tells whether it was written.
bool WriteIfDifferent(const fs::path& path, const std::string& content, bool& changed) {
    changed = false;
    if (ReadWhole(path) == content) return true;
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    fs::path temporary = path;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out || !out.write(content.data(), std::streamsize(content.size())) || !out.flush()) {
            fs::remove(temporary, error);
            return false;
        }
    }
    fs::rename(temporary, path, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    changed = true;
    return true;
}

// Brings a desktop database up to date. It runs only when a file changed,
// which is the first start or a moved program, so waiting for it costs an
// ordinary start nothing; a missing tool is no failure of ours.
void RunTool(const char* program, const std::string& argument) {
    std::string name = program, arg = argument;
    char* argv[] = {name.data(), arg.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) != 0) return;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

std::string MimePackage() {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"";
    xml += kProjectMimeType;
    xml +=
        "\">\n"
        "    <comment>Vantrel Project</comment>\n"
        "    <glob pattern=\"*.kwp\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n";
    return xml;
}

std::string DesktopEntry(const std::string& execArgument) {
    std::string entry =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Vantrel Media Compositor\n"
        "Comment=Compose video from clips, pictures and effects\n"
        "Exec=";
    entry += execArgument;
    entry += " %f\n";
    entry +=
        "Terminal=false\n"
        "Categories=AudioVideo;Video;AudioVideoEditing;\n"
        "MimeType=";
    entry += kProjectMimeType;
    entry += ";\n";
    return entry;
}

}  // namespace

std::string WindowTitle() { return Format("%s V%d.%02d ", kMajorVersion, kMinorVersion); }

std::string VersionText() { return Format("%s V%d.%02d", kMajorVersion, kMinorVersion); }

bool WriteVersionFile(const std::string& programFolder) {
    std::FILE* marker = std::fopen((programFolder + kVersionMarker).c_str(), "r");
    if (!marker) return false;
    std::fclose(marker);
    std::FILE* file = std::fopen((programFolder + kVersionFile).c_str(), "w");
    if (!file) return false;
    const bool written = std::fprintf(file, "[Version]\nbig=%d\nsmall=%d\n", kMajorVersion, kMinorVersion) > 0;
    return std::fclose(file) == 0 && written;
}

bool IsProjectPath(std::string_view commandLine) {
    constexpr std::string_view kExtension = ".kwp";
    if (commandLine.size() <= kExtension.size()) return false;
    const std::string_view tail = commandLine.substr(commandLine.size() - kExtension.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        char c = tail[i];
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        if (c != kExtension[i]) return false;
    }
    return true;
}

bool OpenProject(Item& root, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    FileInStream stream(file);
    root.Load(stream);
    std::fclose(file);
    return true;
}

std::string DataHome() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return xdg;  // relative values are to be ignored
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/share";
    return {};
}

std::string DesktopExecArgument(const std::string& path) {
    constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    bool quote = false;
    for (unsigned char c : path) {
        if (c < 0x20 || c == 0x7F) return {};  // no way to write it in an entry
        if (kReserved.find(char(c)) != std::string_view::npos) quote = true;
    }
    // The Exec rules first (quotes, then %% for a literal percent sign), then
    // the string escape every value goes through, which doubles backslashes.
    std::string exec = quote ? "\"" : "";
    for (char c : path) {
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) exec += '\\';
        exec += c;
        if (c == '%') exec += '%';
    }
    if (quote) exec += '"';
    std::string value;
    for (char c : exec) {
        value += c;
        if (c == '\\') value += '\\';
    }
    return value;
}

bool HasInstalledDesktopEntry(const std::string& programFolder) {
    std::string trimmed = programFolder;
    while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
    if (trimmed.empty()) return false;
    std::error_code error;
    const fs::path folder(trimmed);
    if (folder.filename() != "vantrel" || folder.parent_path().filename() != "lib") return false;
    return fs::is_regular_file(folder.parent_path().parent_path() / "share" / kDesktopFile, error);
}

bool WriteFileAssociation(const std::string& executable, const std::string& dataHome) {
    if (dataHome.empty() || executable.empty()) return false;
    const std::string exec = DesktopExecArgument(executable);
    if (exec.empty()) return false;
    const fs::path home(dataHome);
    bool mimeChanged = false, desktopChanged = false;
    const bool mime = WriteIfDifferent(home / kMimePackage, MimePackage(), mimeChanged);
    const bool desktop = WriteIfDifferent(home / kDesktopFile, DesktopEntry(exec), desktopChanged);
    // The desktop reads its caches, not the files; refresh them only when
    // something changed so that an ordinary start spawns nothing.
    if (mimeChanged) RunTool("update-mime-database", (home / "mime").string());
    if (desktopChanged) RunTool("update-desktop-database", (home / "applications").string());
    return mime && desktop;
}

}  // namespace vantrel
