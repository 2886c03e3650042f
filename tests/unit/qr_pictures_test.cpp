// Each follow-window picture is a QR code of the very address its click
// opens, read back from the picture file with ZBar's zbarimg.
#include "follow_window/follow_window.h"
#include "tests/support/fake_platform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

namespace kestrow {
namespace {

// The files resources/kestrow.rc compiles in for the pictures.
const std::map<Picture, std::string> kPictureFiles{
    {Picture::Youku, "youku.bmp"},     {Picture::Bilibili, "bilibili.bmp"}, {Picture::Tudou, "tudou.bmp"},
    {Picture::WeChat, "wechat.bmp"},   {Picture::QQGroup, "qqgroup.bmp"},   {Picture::Tieba, "tieba.bmp"},
};

// What zbarimg reads in a picture file; empty if nothing.
std::string decodeQr(const std::string& file)
{
    std::string text;
    if (FILE* pipe = popen(("zbarimg -q --raw '" + file + "' 2>/dev/null").c_str(), "r")) {
        char buffer[512];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, n);
        pclose(pipe);
    }
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

TEST(QrPictures, EachFollowPictureEncodesTheAddressItsClickOpens)
{
    ASSERT_EQ(std::system("command -v zbarimg >/dev/null"), 0) << "zbarimg is missing (Debian: zbar-tools)";
    fake::FakePlatform platform;
    LiveWindows live{platform};
    FormSlot<FollowWindow> slot{platform, [&] { return std::make_unique<FollowWindow>(platform.services(), live); }};
    slot.show();
    fake::FakeWindow& follow = *platform.window("关注我们");
    const std::string run = "explorer.exe ";
    for (const char* name : {"Picture1", "Picture2", "Picture3", "Picture4", "Picture5", "Picture6"}) {
        platform.commands.clear();
        follow.picture(name).click();
        ASSERT_EQ(platform.commands.size(), 1u) << name;
        ASSERT_TRUE(platform.commands[0].starts_with(run)) << platform.commands[0];
        const std::string file = KESTROW_RESOURCES_DIR "/" + kPictureFiles.at(follow.picture(name).def().picture);
        EXPECT_EQ(decodeQr(file), platform.commands[0].substr(run.size())) << name << " " << file;
    }
}

}  // namespace
}  // namespace kestrow
