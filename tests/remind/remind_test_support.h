#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "temp_folder.h"
#include "xml/tessvar_xml_parse.h"

namespace veltaro::remind_test {

using testing::ReadText;
using testing::TempFolder;
using testing::WriteText;

// A plan tree loaded from `xml`; the tree can be neither copied nor moved, hence the pointer.
inline std::unique_ptr<CTessvarXmlParse> TreeOf(std::string_view xml) {
    auto root = std::make_unique<CTessvarXmlParse>();
    EXPECT_TRUE(root->LoadXml(xml)) << xml;
    return root;
}

// A plan file with `datePlans` and `weeklyPlans` (each a run of `Item` elements) in their lists.
inline std::string PlanFileText(std::string_view datePlans, std::string_view weeklyPlans) {
    return "<Quorvane><RemindList><DateType>" + std::string(datePlans) + "</DateType><WeeklyType>" +
           std::string(weeklyPlans) + "</WeeklyType></RemindList>" + "</Quorvane>";
}

}  // namespace veltaro::remind_test
