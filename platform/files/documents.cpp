// The document store: files under \My Documents, walked folder by folder with the find calls.

#include "platform/files/files.h"

namespace platform::files {

namespace {

constexpr const char16_t* kDocumentsFolder = u"\\My Documents";

// Adds the matching files of `folder` to `out`, then walks its sub-folders. A folder reached through a
// link that loops back is cut off by the depth limit.
void collect(const std::u16string& folder, const std::u16string& pattern, int depth, std::vector<std::u16string>* out)
{
    FindData found;
    if (FindHandle finder = find_first(folder + u"\\" + pattern, &found)) {
        do {
            if (!(found.attributes & kAttrDirectory))
                out->push_back(folder + u"\\" + found.name);
        } while (find_next(finder, &found));
        find_close(finder);
    }
    if (depth >= kMaxDocumentDepth)
        return;
    std::vector<std::u16string> folders;
    if (FindHandle finder = find_first(folder + u"\\*", &found)) {
        do {
            if (found.attributes & kAttrDirectory)
                folders.push_back(folder + u"\\" + found.name);
        } while (find_next(finder, &found));
        find_close(finder);
    }
    for (const std::u16string& sub : folders)
        collect(sub, pattern, depth + 1, out);
}

}  // namespace

std::vector<std::u16string> find_documents(const std::u16string& pattern)
{
    std::vector<std::u16string> documents;
    if (pattern.empty() || pattern.find(u'\\') != std::u16string::npos || !is_directory(kDocumentsFolder))
        return documents;
    collect(kDocumentsFolder, pattern, 0, &documents);
    return documents;
}

}  // namespace platform::files
