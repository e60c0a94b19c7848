#include "graphics/FontLocator.h"

#include "core/ICoreParameter.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace {

constexpr const char* kSystemFontFolders[] = {"/usr/share/fonts", "/usr/local/share/fonts",
                                              nullptr};
// Stand-ins, best first, for a face the system does not have.
constexpr const char* kFallbackFaces[] = {"dejavusans", "liberationsans"};
constexpr int kFaceCount = 1 + sizeof kFallbackFaces / sizeof kFallbackFaces[0];
constexpr const char* kFontExtensions[] = {".ttf", ".otf"};
constexpr int kMaxDepth = 6;
constexpr int kStemSize = 64;

// File-name endings per style: plain, bold, italic, bold italic (both naming habits).
constexpr const char* kPlainSuffixes[] = {"", "-regular", "regular", "-book"};
constexpr const char* kBoldSuffixes[] = {"-bold", "bd", "b"};
constexpr const char* kItalicSuffixes[] = {"-oblique", "-italic", "i"};
constexpr const char* kBoldItalicSuffixes[] = {"-boldoblique", "-bolditalic", "z", "bi"};

struct Search {
    char faces[kFaceCount][kStemSize];
    bool bold;
    bool italic;
    int bestScore;
    char* path;
    int pathSize;
};

void Lowered(const char* text, char* out, int outSize) {
    int i = 0;
    for (; text && text[i] && i < outSize - 1; ++i)
        out[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    out[i] = '\0';
}

template <size_t N>
bool MatchesOneOf(const char* stem, const char* face, const char* const (&suffixes)[N]) {
    const size_t faceLength = std::strlen(face);
    if (faceLength == 0 || std::strncmp(stem, face, faceLength) != 0)
        return false;
    for (const char* suffix : suffixes)
        if (std::strcmp(stem + faceLength, suffix) == 0)
            return true;
    return false;
}

// Lower is better: the requested face before the stand-ins, the styled file before the plain.
int Score(const Search& search, const char* stem) {
    const bool styled = search.bold || search.italic;
    for (int face = 0; face < kFaceCount; ++face) {
        const char* name = search.faces[face];
        bool styleMatch = false;
        if (search.bold && search.italic)
            styleMatch = MatchesOneOf(stem, name, kBoldItalicSuffixes);
        else if (search.bold)
            styleMatch = MatchesOneOf(stem, name, kBoldSuffixes);
        else if (search.italic)
            styleMatch = MatchesOneOf(stem, name, kItalicSuffixes);
        if (styleMatch)
            return face * 2;
        if (MatchesOneOf(stem, name, kPlainSuffixes))
            return face * 2 + (styled ? 1 : 0);
    }
    return -1;
}

void Consider(Search& search, const char* folder, const char* fileName) {
    char lowered[kStemSize];
    Lowered(fileName, lowered, sizeof lowered);
    const size_t length = std::strlen(lowered);
    for (const char* extension : kFontExtensions) {
        const size_t extensionLength = std::strlen(extension);
        if (length <= extensionLength || std::strcmp(lowered + length - extensionLength, extension))
            continue;
        lowered[length - extensionLength] = '\0';
        const int score = Score(search, lowered);
        if (score >= 0 && (search.bestScore < 0 || score < search.bestScore)) {
            char candidate[FontLocator::kPathSize];
            const int written =
                std::snprintf(candidate, sizeof candidate, "%s/%s", folder, fileName);
            if (written > 0 && written < search.pathSize && written < int(sizeof candidate)) {
                CopyText(search.path, candidate, search.pathSize);
                search.bestScore = score;
            }
        }
        return;
    }
}

void Walk(Search& search, const char* folder, int depth) {
    DIR* directory = opendir(folder);
    if (!directory)
        return;
    while (const dirent* entry = readdir(directory)) {
        if (entry->d_name[0] == '.')
            continue;
        char child[FontLocator::kPathSize];
        const int written = std::snprintf(child, sizeof child, "%s/%s", folder, entry->d_name);
        if (written <= 0 || written >= static_cast<int>(sizeof child))
            continue;
        struct stat info;
        // lstat: symbolic links to folders are not followed, so a loop cannot trap the walk.
        if (lstat(child, &info) != 0)
            continue;
        if (S_ISDIR(info.st_mode)) {
            if (depth < kMaxDepth)
                Walk(search, child, depth + 1);
        } else if (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode)) {
            Consider(search, folder, entry->d_name);
        }
    }
    closedir(directory);
}

} // namespace

namespace FontLocator {

bool Find(const char* faceName, bool bold, bool italic, char* path, int pathSize) {
    return FindIn(kSystemFontFolders, faceName, bold, italic, path, pathSize);
}

bool FindIn(const char* const* folders, const char* faceName, bool bold, bool italic, char* path,
            int pathSize) {
    if (!folders || !path || pathSize <= 0)
        return false;
    Search search{};
    char withoutSpaces[kStemSize];
    int length = 0;
    for (const char* c = faceName ? faceName : ""; *c && length < kStemSize - 1; ++c)
        if (*c != ' ')
            withoutSpaces[length++] = *c;
    withoutSpaces[length] = '\0';
    Lowered(withoutSpaces, search.faces[0], kStemSize);
    for (int i = 1; i < kFaceCount; ++i)
        CopyText(search.faces[i], kFallbackFaces[i - 1], kStemSize);
    search.bold = bold;
    search.italic = italic;
    search.bestScore = -1;
    search.path = path;
    search.pathSize = pathSize;
    for (const char* const* folder = folders; *folder; ++folder)
        Walk(search, *folder, 0);
    if (search.bestScore < 0)
        path[0] = '\0';
    return search.bestScore >= 0;
}

} // namespace FontLocator
