#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "xml/tessvar_xml_parse.h"

namespace veltaro::holiday_test {

// The holiday fixture of the test data folder and the file the program ships.
inline const std::string kFixtureFile =
    std::string(VELTARO_CALENDAR_TEST_DATA) + "/holidays_fixture.xml";
inline const std::string kShippedFile = VELTARO_SHIPPED_HOLIDAY_FILE;

inline std::unique_ptr<CTessvarXmlParse> TreeFromFile(const std::string& path) {
    auto root = std::make_unique<CTessvarXmlParse>();
    EXPECT_TRUE(root->LoadFile(path)) << path;
    return root;
}

inline std::unique_ptr<CTessvarXmlParse> TreeFromText(std::string_view text) {
    auto root = std::make_unique<CTessvarXmlParse>();
    EXPECT_TRUE(root->LoadXml(text)) << text;
    return root;
}

}  // namespace veltaro::holiday_test
