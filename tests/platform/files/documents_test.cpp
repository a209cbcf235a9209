// The document store: files under \My Documents, walked into sub-folders.

#include "tests/support/temp_device.h"

#include <filesystem>

namespace fs = std::filesystem;
using namespace platform::files;
using namespace testing_support;
using Paths = std::vector<std::u16string>;

class DocumentsTest : public DeviceTest {
protected:
    std::string docs() const { return m_root + "/My Documents"; }
};

TEST_F(DocumentsTest, FilesOfEveryFolderBeforeTheirSubFolders)
{
    fs::create_directories(docs() + "/Jobs/Old");
    write_host_file(docs() + "/b.dat", "1");
    write_host_file(docs() + "/A.txt", "1");
    write_host_file(docs() + "/Jobs/lot7.dat", "1");
    write_host_file(docs() + "/Jobs/Old/lot1.dat", "1");
    write_host_file(m_root + "/Temp/elsewhere.dat", "1");
    EXPECT_EQ(find_documents(u"*.*"),
        (Paths {u"\\My Documents\\A.txt", u"\\My Documents\\b.dat", u"\\My Documents\\Jobs\\lot7.dat",
            u"\\My Documents\\Jobs\\Old\\lot1.dat"}));
    EXPECT_EQ(find_documents(u"*.DAT"),
        (Paths {u"\\My Documents\\b.dat", u"\\My Documents\\Jobs\\lot7.dat", u"\\My Documents\\Jobs\\Old\\lot1.dat"}));
}

TEST_F(DocumentsTest, NothingWithoutDocumentsOrForABadPattern)
{
    EXPECT_TRUE(find_documents(u"*.*").empty());  // the folder exists but is empty
    write_host_file(docs() + "/a.dat", "1");
    EXPECT_TRUE(find_documents(u"").empty());
    EXPECT_TRUE(find_documents(u"..\\*.*").empty());
    fs::remove_all(docs());
    EXPECT_TRUE(find_documents(u"*.*").empty());
}

TEST_F(DocumentsTest, ALinkLoopingBackEndsAtTheDepthLimit)
{
    write_host_file(docs() + "/a.dat", "1");
    fs::create_directory_symlink(docs(), docs() + "/loop");
    Paths found = find_documents(u"a.dat");
    ASSERT_EQ(found.size(), size_t(kMaxDocumentDepth + 1));
    EXPECT_EQ(found.front(), u"\\My Documents\\a.dat");
    EXPECT_EQ(found[1], u"\\My Documents\\loop\\a.dat");
}
