#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "xml/tessvar_xml_parse.h"

namespace veltaro::remind_test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "veltaro-remind-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void WriteFile(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream(file, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

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
