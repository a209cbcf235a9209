#include "app/file_browser_model.h"

#include "platform/files/files.h"

namespace app {

namespace files = platform::files;

namespace {

std::u16string entry_for(const files::FindData& item)
{
    const uint32_t card = files::kAttrDirectory | files::kAttrTemporary;
    if ((item.attributes & card) == card)
        return kCardTag + item.name;
    if (item.attributes & files::kAttrDirectory)
        return kSubdirTag + item.name;
    return item.name;
}

bool is_blank(std::u16string_view text)
{
    return text.find_first_not_of(u' ') == std::u16string_view::npos;
}

bool is_file(const std::u16string& path)
{
    const uint32_t attributes = files::attributes(path);
    return attributes != files::kInvalidAttributes && !(attributes & files::kAttrDirectory);
}

}  // namespace

FolderListing list_folder(const std::u16string& folder)
{
    FolderListing listing;
    files::FindData item;
    files::FindHandle finder = files::find_first(folder + u"\\*.*", &item);
    if (finder == nullptr) {
        listing.entries.push_back(kNoFilesEntry);
        return listing;
    }
    do {
        const std::u16string path = folder + u"\\" + item.name;
        if (!listing.entries.empty() && path.size() > kMaxBrowserPath)
            listing.over_long_paths.push_back(path);
        listing.entries.push_back(entry_for(item));
    } while (files::find_next(finder, &item));
    files::find_close(finder);
    return listing;
}

std::u16string entry_name(std::u16string_view entry)
{
    const bool tagged
        = entry.find(u"<Subdir>") != std::u16string_view::npos || entry.find(u"<Card>") != std::u16string_view::npos;
    const size_t space = entry.find(u' ');
    if (!tagged || space == std::u16string_view::npos)
        return std::u16string(entry);
    return std::u16string(entry.substr(space + 1));
}

std::u16string last_component(std::u16string_view path)
{
    const size_t slash = path.rfind(u'\\');
    return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

void FileBrowserModel::start()
{
    m_folder.clear();
    m_listing = list_folder(m_folder);
    if (m_listing.entries.size() == 1 && m_listing.entries[0] == kNoFilesEntry)
        m_listing.entries.insert(m_listing.entries.begin(), kMyDeviceEntry);
    ++m_listing_serial;
    m_path_text = u" ";
}

void FileBrowserModel::select(std::u16string_view entry, std::u16string_view given_text)
{
    // The text may be a view of m_path_text itself, which changes below.
    const std::u16string path_text(given_text.substr(0, kMaxBrowserPath));
    m_path_text = path_text;
    const std::u16string text = entry_name(entry);
    if (text == kMyDeviceEntry) {
        list_documents();
        return;
    }
    if (m_folder == kMyDeviceFolder) {
        // The document list holds full paths.
        if (is_file(text)) {
            m_path_text = text.substr(0, kMaxBrowserPath);
            m_chosen_name = last_component(text);
        }
        return;
    }
    const std::u16string name = last_component(text);
    const std::u16string path = m_folder + u"\\" + name;
    if (files::is_directory(path))
        enter(path);
    else if (is_file(path))
        choose_file(name, path_text);
}

void FileBrowserModel::back()
{
    const size_t slash = m_folder.rfind(u'\\');
    if (slash != std::u16string::npos && slash > 0) {
        enter(m_folder.substr(0, slash));
        return;
    }
    m_folder.clear();
    m_listing = list_folder(m_folder);
    ++m_listing_serial;
    m_path_text = u" ";
}

void FileBrowserModel::enter(const std::u16string& folder)
{
    m_folder = folder;
    m_path_text = folder;
    m_listing = list_folder(folder);
    ++m_listing_serial;
}

void FileBrowserModel::list_documents()
{
    m_folder = kMyDeviceFolder;
    m_path_text = kMyDeviceFolder;
    m_listing = FolderListing {};
    m_listing.entries = files::find_documents(u"*.*");
    ++m_listing_serial;
}

void FileBrowserModel::choose_file(std::u16string_view name, std::u16string_view path_text)
{
    std::u16string folder(path_text.substr(0, kMaxBrowserPath));
    if (is_blank(folder)) {
        folder.clear();
    } else if (!files::is_directory(folder)) {
        // A backslash at the start is cut too: "\a.dat" stands in the root, and keeping it would put
        // the new name under the old one.
        const size_t slash = folder.rfind(u'\\');
        if (slash != std::u16string::npos)
            folder.resize(slash);
    }
    m_path_text = folder + u"\\" + std::u16string(name);
    m_chosen_name = name;
}

}  // namespace app
