#include "bios/BoardChipset.h"

#include "bios/PostCodes.h"

#include <gtest/gtest.h>

namespace kalvero::bios {
namespace {

TEST(BoardChipset, ReadsTheChipsetOfTheBiosIdLine) {
    using Processors = std::vector<std::string>;
    const Processors pentium{"pentium,-apic"};
    const Processors pentium2{"pentium2,-apic"};
    struct Case {
        std::string_view text;
        std::string chipset;
        QemuFit fit;
        Processors processors;
    } cases[] = {
        {"c. Awar%12/10/97-i430VX,UMC8669-2A59GH2BC-00\0", "i430VX", QemuFit::Runs, pentium},
        {"08/12/98-i440FX-<<KN97>>C-00", "i440FX", QemuFit::Runs, pentium2},
        {"x01/13/1999-i430FX-2A59CQ1ZC-<QDI>-00", "i430FX", QemuFit::Runs, pentium},
        {"02/17/2001-i430TX-2A59ISNCC-00", "i430TX", QemuFit::SomeBoards, pentium},
        {"$02/05/2001-i440BX-W977-GA686BX0C-00", "i440BX", QemuFit::No, pentium2},
        {"09/21/2001-VT693A-596B-P3V133", "VT693A", QemuFit::No, pentium2},
        // Not an ID line: no chipset after the date, a date cut short.
        {"12/10/97 i430VX-, 1/10/97-i430VX-",
         "",
         QemuFit::Unknown,
         {"pentium,-apic", "pentium2,-apic"}},
    };
    for (const Case& test : cases) {
        const BoardChipset board = ChipsetFromText(test.text);
        EXPECT_EQ(board.chipset, test.chipset) << test.text;
        EXPECT_EQ(board.fit, test.fit) << test.text;
        EXPECT_EQ(board.processors, test.processors) << test.text;
    }
    EXPECT_EQ(ChipsetFromText("ab08/12/98-i440FX-<<KN97>>C-00\x01z").idLine,
              "08/12/98-i440FX-<<KN97>>C-00");
}

TEST(PostCodes, TheLastCodeAndWhatItMeans) {
    const std::uint8_t log[] = {0xC0, 0xC1, 0x0E};
    EXPECT_EQ(LastPostCode(log), 0x0E);
    EXPECT_EQ(LastPostCode({}), std::nullopt);
    EXPECT_EQ(DescribePostCode(0x4E), "4E");
    EXPECT_EQ(DescribePostCode(0xC1), "C1 (memory sizing: the board's memory controller is not "
                                      "one QEMU emulates)");
}

} // namespace
} // namespace kalvero::bios
