#pragma once

#include <string_view>

namespace scanbench {

// Written as makers write: any letter case, names listed together, strings
// joined over lines with comments between, attributes the simulation does
// not use.
inline constexpr std::string_view MakersStyle = R"bsdl(-- a header comment
 Entity Part_X is
   generic (PHYSICAL_PIN_MAP : string := "BGA");
   port (TCK, TMS, TDI : in bit; TDO : out bit; nTRST : in bit;
         CLK : in bit; Q : buffer bit; ODR : out bit;
         BUS : inout bit_vector(3 downto 0);
         VDD : linkage bit_vector(1 to 2));
   use STD_1149_1_2001.all;
   attribute MY_NOTE : string;
   attribute my_note of part_x : entity is "the maker's own";
   attribute PIN_MAP of Part_X : entity is PHYSICAL_PIN_MAP;
   constant BGA : PIN_MAP_STRING := "TCK:A1, TMS:A2, TDI:A3, TDO:A4, nTRST:A5, CLK:B1, " &
       "Q:B2, ODR:B3, BUS:(C1, C2, C3, C4), VDD:(D1, D2)";
   attribute tap_scan_in of TDI : signal is TRUE;
   attribute TAP_SCAN_OUT of TDO : signal is true;
   attribute TAP_SCAN_MODE of TMS : signal is true;
   attribute TAP_SCAN_RESET of nTRST : signal is true;
   attribute TAP_SCAN_CLOCK of TCK : signal is (2.5e7, LOW);
   attribute COMPLIANCE_PATTERNS of Part_X : entity is "(nTRST, CLK) (10)";
   attribute INSTRUCTION_LENGTH of Part_X : entity is 5;
   attribute INSTRUCTION_OPCODE of Part_X : entity is
      "bypass (11111, 11110), extest (00000), sample (00010), " &
      -- a comment between the pieces
      "preload (00010), idcode (00001), usercode (00111), highz (00011), " &
      "clamp (00100), intest (00101), secret (10000), probe (01000)";
   attribute INSTRUCTION_CAPTURE of Part_X : entity is "XX101";
   attribute INSTRUCTION_PRIVATE of Part_X : entity is "SECRET";
   attribute IDCODE_REGISTER of Part_X : entity is
      "XXXX" &             -- version
      "0000000100100011" & -- part
      "00000001111" & "1";
   attribute USERCODE_REGISTER of Part_X : entity is "0000 0000 0000 0000 0000 0000 1010 0101";
   attribute REGISTER_ACCESS of Part_X : entity is
      "BOUNDARY (EXTEST, SAMPLE, PRELOAD, INTEST), DEVICE_ID (IDCODE, USERCODE)," &
      "PROBE_REG[12] (PROBE CAPTURES 000000000101), BYPASS (HIGHZ, CLAMP, BYPASS)";
   attribute BOUNDARY_LENGTH of Part_X : entity is 10;
   attribute BOUNDARY_CELLS of Part_X : entity is "BC_1, BC_7";
   attribute BOUNDARY_REGISTER of Part_X : entity is
      "9 (BC_1, *, controlr, 1), " &
      "8 (BC_7, BUS(3), bidir, X, 9, 1, WEAK1), 7 (BC_1, BUS(2), output3, 0, 9, 1, PULL0)," &
      "6 (BC_1, BUS(2), input, X), 5 (BC_1, ODR, output2, 1, 5, 1, KEEPER)," &
      "4 (BC_1, *, control, 0), 4 (BC_1, BUS(0), input, X)," & -- a merged cell
      "3 (BC_4, CLK, clock, X), 2 (BC_1, Q, output2, 0), 1 (BC_0, BUS(1), observe_only, X)," &
      "0 (BC_1, *, internal, 1)";
   attribute DESIGN_WARNING of Part_X : entity is "Hold nTRST low when not testing.";
 end Part_X;
)bsdl";

} // namespace scanbench
