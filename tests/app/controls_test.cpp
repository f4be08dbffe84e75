#include "app/controls.h"

#include <gtest/gtest.h>

#include <thread>

namespace vestrel {
namespace {

TEST(Controls, StartLikeTheWindow) {
  MemoryControls controls;
  for (Control checked : {Control::选择框1, Control::选择框2, Control::单选框1}) {
    EXPECT_TRUE(controls.IsChecked(checked));
  }
  for (Control unchecked : {Control::选择框_DoubleL1, Control::选择框_DoubleL2,
                            Control::选择框_Invert, Control::单选框2}) {
    EXPECT_FALSE(controls.IsChecked(unchecked));
  }
  EXPECT_EQ(controls.GetText(Control::编辑框_ksmp), Text());
  EXPECT_EQ(controls.GetText(Control::编辑框_Dic), Text());
  EXPECT_EQ(controls.Status(), Text());
  EXPECT_EQ(controls.Progress(), 0);
  for (Control control : kJobControls) EXPECT_FALSE(controls.IsDisabled(control));
}

TEST(Controls, RadioButtonsFormOneGroup) {
  MemoryControls controls;
  controls.SetChecked(Control::单选框2, true);
  EXPECT_FALSE(controls.IsChecked(Control::单选框1));
  controls.SetChecked(Control::单选框1, true);
  EXPECT_FALSE(controls.IsChecked(Control::单选框2));
  controls.SetChecked(Control::单选框1, false);
  EXPECT_FALSE(controls.IsChecked(Control::单选框1));
  EXPECT_FALSE(controls.IsChecked(Control::单选框2));
  controls.SetProgress(150);
  EXPECT_EQ(controls.Progress(), 100);
}

TEST(Controls, TwoThreadsAtOnce) {
  MemoryControls controls;
  std::thread worker([&] {
    for (int i = 0; i < 2000; ++i) {
      controls.SetStatus(Text(std::to_string(i)));
      controls.SetProgress(i % 101);
      controls.SetChecked(Control::单选框2, i % 2 == 0);
    }
  });
  for (int i = 0; i < 2000; ++i) {
    (void)controls.Status();
    EXPECT_FALSE(controls.IsChecked(Control::单选框1) && controls.IsChecked(Control::单选框2));
  }
  worker.join();
}

}  // namespace
}  // namespace vestrel
