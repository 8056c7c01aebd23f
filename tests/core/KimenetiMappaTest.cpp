#include "core/helpers/KimenetiMappa.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <stdexcept>

#include "platform/os/System.h"
#include "support/TestSupport.h"

namespace {

class KimenetiMappaTest : public testsupport::HomeTest {};

TEST_F(KimenetiMappaTest, CreatesEachLevelAndNamesTheFirstThatCannotBeMade) {
    const std::string base = os::BaseFolder();
    EXPECT_EQ(AdatszolgMappa("2019", "FokFel"), base + "/ADATSZLG/2019/FokFel/");
    EXPECT_TRUE(QFileInfo(QString::fromStdString(base + "/ADATSZLG/2019/FokFel")).isDir());
    EXPECT_EQ(AdatszolgMappa("2019", "FokFel"), base + "/ADATSZLG/2019/FokFel/");  // already there

    // A file where the year folder of another kind should be.
    testsupport::WriteBytes(base + "/ADATSZLG/2020", "x");
    try {
        AdatszolgMappa("2020", "M30");
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), base + "/ADATSZLG/2020 mappa nem hozható létre.");
    }
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(base + "/ADATSZLG/2020/M30")));
}

}  // namespace
