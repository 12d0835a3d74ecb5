#include <gtest/gtest.h>

#include "common/family/family_libraries.h"
#include "fakes.h"

namespace wren::test {
namespace {

void* WREN_FAMILY_CALL fakeCreate() { return nullptr; }

TEST(FamilyLibraries, EncryptionNeedsEveryCallButTheSecondExtendedInit) {
    FakeLibraryLoader loader;
    FakeLibraryLoader::Exports all;
    for (const char* name : {"CreateEncryption", "InitEncryption", "InitEncryptionEx", "UpdateEncryption",
                             "EndEncryption", "DeleteEncryption", "DecryptPassword", "DispPasswordUI"})
        all[name] = exportOf(&fakeCreate);
    loader.libraries[u"c.dll"] = all;
    EXPECT_TRUE(CipherLibrary(loader.load(u"c.dll")).encryption().complete());
    EXPECT_FALSE(CipherLibrary(loader.load(u"c.dll")).encryption().initEx2);
    all.erase("DispPasswordUI");
    loader.libraries[u"c.dll"] = all;
    EXPECT_FALSE(CipherLibrary(loader.load(u"c.dll")).encryption().complete());
    EXPECT_FALSE(CipherLibrary(nullptr).encryption().complete()) << "an absent library has no calls";
    EXPECT_FALSE(CipherLibrary(nullptr).defaultSettings());
    EXPECT_EQ(loader.live, 0);
}

}  // namespace
}  // namespace wren::test
