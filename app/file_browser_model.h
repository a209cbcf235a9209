#pragma once
// What the file browser shows and where it stands, apart from its dialog (app/file_browser_dialog.h).
//
// Folders are wide device paths; the root is the empty path. A listing holds one entry per item of the
// folder in name order: "<Subdir> " and the name for a folder, "<Card> " and the name for a mounted
// storage card (directory and temporary attributes), the bare name for a file; a folder with no items (or
// one that cannot be listed) gives the single entry "No files.".
//
// The "My Device" entry stands for the device's document store: choosing it lists the full paths of the
// documents under \My Documents (platform/files find_documents); choosing one of those puts its path in
// the path text.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace app {

constexpr size_t kMaxBrowserPath = 259;  // characters of a path, as a 260 buffer holds
constexpr const char16_t* kNoFilesEntry = u"No files.";
constexpr const char16_t* kMyDeviceEntry = u"My Device";
constexpr const char16_t* kMyDeviceFolder = u"\\My Device";
constexpr const char16_t* kSubdirTag = u"<Subdir> ";
constexpr const char16_t* kCardTag = u"<Card> ";

struct FolderListing {
    std::vector<std::u16string> entries;
    // Paths folder + "\" + name longer than kMaxBrowserPath, for every item after the first (each is
    // still listed); the dialog reports them with "MAX_PATH exceeded".
    std::vector<std::u16string> over_long_paths;
};

// The listing of `folder` ("" for the root).
FolderListing list_folder(const std::u16string& folder);

// The entry's text without its "<Subdir> " or "<Card> " tag: what follows its first space. Other
// entries are returned whole.
std::u16string entry_name(std::u16string_view entry);

// The part of a path after its last backslash (the whole path when it has none).
std::u16string last_component(std::u16string_view path);

// The browser's walk through the folders: the current folder, the path text the user sees and may edit,
// and the listing.
class FileBrowserModel {
public:
    // The root, listed; the path text a single space. When the root holds no items the listing is the
    // "My Device" entry followed by "No files.".
    void start();

    // The user chose `entry` of the listing while the path text read `path_text` (at most
    // kMaxBrowserPath characters are used). A folder becomes the current folder and is listed, and its
    // path becomes the text; a file is put after the folder of the text: the text itself when it names a
    // folder (a blank text stands for the root), else the text cut at its last backslash (a text
    // without one is kept whole), then "\" and the name; the name becomes the chosen name. Anything else (the "No
    // files." entry, a name that has gone) leaves the folder and the listing as they are and the path
    // text as given.
    void select(std::u16string_view entry, std::u16string_view path_text);

    // One folder up: the current folder cut at its last backslash when it has one after its first
    // character; otherwise the root, with the path text a single space.
    void back();

    const std::u16string& folder() const { return m_folder; }
    const std::u16string& path_text() const { return m_path_text; }
    const std::u16string& chosen_name() const { return m_chosen_name; }
    const FolderListing& listing() const { return m_listing; }
    // Counts the listings made; the dialog refills its list when this changes.
    int listing_serial() const { return m_listing_serial; }

private:
    void enter(const std::u16string& folder);
    void list_documents();
    void choose_file(std::u16string_view name, std::u16string_view path_text);

    std::u16string m_folder;
    std::u16string m_path_text = u" ";
    std::u16string m_chosen_name;
    FolderListing m_listing;
    int m_listing_serial = 0;
};

}  // namespace app
