#include <gtest/gtest.h>

#include "app/Fomenu.h"

TEST(Program, MainWindowCarriesTheProgramTitle) {
    TFomenuForm form;
    form.show();
    EXPECT_EQ(form.windowTitle(), "Tavrina 2019");
    form.close();
}
