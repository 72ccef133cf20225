#include <doctest/doctest.h>

#include <cstring>
#include <string>

#include "optimise/catalogue.h"

TEST_CASE("the catalogue holds 37 items whose 111 actions have the documented mix") {
  const Catalogue& catalogue = OptimisationCatalogue();
  REQUIRE(catalogue.count == 37);
  int writesNumber = 0, writesText = 0, deletes = 0, hkcr = 0, hkcu = 0, hklm = 0, total = 0;
  for (int i = 0; i < catalogue.count; ++i) {
    CAPTURE(i);
    const OptimisationItem& item = catalogue[i];
    std::string lead = std::to_string(i) + ".";
    CHECK(std::string(item.caption).rfind(lead, 0) == 0);
    CHECK(item.actionCount >= 1);
    CHECK(item.actionCount <= 20);
    for (int a = 0; a < item.actionCount; ++a) {
      const RegistryAction& action = item.actions[a];
      CHECK(action.item == i);
      ++total;
      if (action.kind == ActionKind::Delete) ++deletes;
      else if (action.kind == ActionKind::WriteText) ++writesText;
      else ++writesNumber;
      hkcr += action.root == 1;
      hkcu += action.root == 3;
      hklm += action.root == 4;
    }
  }
  CHECK(total == 111);
  CHECK(writesNumber == 58);
  CHECK(writesText == 30);
  CHECK(deletes == 23);
  CHECK(hkcr == 9);
  CHECK(hkcu == 37);
  CHECK(hklm == 65);
}

TEST_CASE("captions keep their exact spacing and quotes") {
  const Catalogue& catalogue = OptimisationCatalogue();
  std::string item31 = catalogue[31].caption;
  CHECK(item31.back() == ' ');
  CHECK(item31[item31.size() - 2] != ' ');
  CHECK(std::string(catalogue[36].caption).find("  年") != std::string::npos);
  CHECK(std::string(catalogue[28].caption) == "28.关闭\"压缩旧文件\"功能");
  CHECK(std::strlen(catalogue[0].caption) > 0);
}

TEST_CASE("value texts of items 0 to 4 become numbers; item 0 keeps AutoPlay for CD drives only") {
  struct Case {
    int item;
    std::uint32_t dword;
  } cases[] = {{0, 0x99}, {1, 1}, {2, 1}, {3, 0}, {4, 3}};
  for (const Case& c : cases) {
    CAPTURE(c.item);
    const OptimisationItem& item = OptimisationCatalogue()[c.item];
    for (int a = 0; a < item.actionCount; ++a) {
      CHECK(item.actions[a].kind == ActionKind::WriteNumberText);
      RegistryValue value = ActionValue(item.actions[a]);
      CHECK(value.kind == RegistryValue::Kind::Dword);
      CHECK(value.dword == c.dword);
    }
  }
  std::uint32_t autoRunMask = ActionValue(OptimisationCatalogue()[0].actions[0]).dword;
  CHECK((autoRunMask & 0x08) != 0);  // fixed drives: off
  CHECK((autoRunMask & 0x20) == 0);  // CD drives: on
}
