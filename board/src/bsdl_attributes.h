#pragma once

// The string attributes of a BSDL file, each read by its own small grammar
// into the BsdlFile. Every function throws bsdl::ReadFailure at the first
// problem, placed at the offending character of the file.

#include "board/bsdl_file.h"
#include "bsdl_lexer.h"

namespace scanbench::bsdl {

// "BYPASS (11111), EXTEST (00000), SAMPLE (00010, 10010)"
void ReadInstructionOpcodes(const PlacedText& text, BsdlFile& file);
// "XXX01": also IDCODE_REGISTER and USERCODE_REGISTER, whose patterns may
// be listed with commas.
[[nodiscard]] std::vector<std::string> ReadPatterns(const PlacedText& text);
// "PRIVATE1, PRIVATE2"
[[nodiscard]] std::vector<std::string> ReadNameList(const PlacedText& text);
// "BOUNDARY (EXTEST, SAMPLE), DPACC[35] (DPACC)"
void ReadRegisterAccess(const PlacedText& text, BsdlFile& file);
// "0 (BC_1, PA0, input, X), 1 (BC_1, *, control, 0), 2 (BC_1, PA0, output3, X, 1, 0, Z)"
void ReadBoundaryRegister(const PlacedText& text, BsdlFile& file);
// "PA0 : 40, VDD : (1, 17, 33)"
void ReadPinMap(const PlacedText& text, BsdlPinMap& map);
// "(NRST, BOOT0) (01)"
void ReadCompliancePatterns(const PlacedText& text, BsdlFile& file);

} // namespace scanbench::bsdl
