// SIR and SDR with their headers and trailers.
#include "svf_importer.h"
#include "svf_values.h"

#include <utility>

namespace scanbench::svf_detail {

bool Importer::Part(const SvfStatement& st, ScanPart& part) {
    const std::string& command = st.Words.front().Text;
    const std::optional<std::uint64_t> length =
        st.Words.size() > 1 && !st.Words[1].Value ? ParseSvfCount(st.Words[1].Text) : std::nullopt;
    if (!length) {
        return Refuse(st.Line, command + " needs a length in bits");
    }
    if (*length > MaxScanBits) {
        return Refuse(st.Line, command + " " + std::to_string(*length) +
                                   " is longer than a program can hold (" +
                                   std::to_string(MaxScanBits) + " bits)");
    }
    const SvfWord* values[4] = {}; // TDI, TDO, MASK, SMASK
    static constexpr std::array<std::string_view, 4> Keys = {"TDI", "TDO", "MASK", "SMASK"};
    for (std::size_t i = 2; i < st.Words.size(); i += 2) {
        const SvfWord& key = st.Words[i];
        std::size_t k = 0;
        while (k < Keys.size() && (key.Value || key.Text != Keys[k])) {
            ++k;
        }
        if (k == Keys.size()) {
            std::string problem = command + " has no parameter " + CommentSafe(key.Text);
            problem += " (TDI, TDO, MASK or SMASK)";
            if (key.Line > st.Line) {
                // On a line of its own it may well start the next statement.
                problem += ": is a \";\" missing before it?";
            }
            return Refuse(key.Line, std::move(problem));
        }
        if (values[k] != nullptr) {
            return Refuse(key.Line, command + " gives " + key.Text + " twice");
        }
        if (i + 1 >= st.Words.size() || !st.Words[i + 1].Value) {
            return Refuse(key.Line, key.Text + " needs a value in parentheses");
        }
        if (*length == 0) {
            return Refuse(key.Line,
                          command + " 0 with " + key.Text + ": a length of 0 has no data");
        }
        values[k] = &st.Words[i + 1];
    }
    const bool newLength = *length != part.Length;
    part.Length = *length;
    const auto read = [&](std::size_t k, ScanBits& bits) {
        const std::optional<std::string> problem =
            ReadScanValue(values[k]->Text, part.Length, bits);
        return !problem || Refuse(values[k]->Line, std::string(Keys[k]) + ": " + *problem);
    };
    if (values[0] != nullptr) {
        if (!read(0, part.Tdi)) {
            return false;
        }
        part.TdiKnown = true;
    } else if (newLength) {
        part.TdiKnown = part.Length == 0;
        part.Tdi.Assign(part.Length, false);
    }
    part.Compared = values[1] != nullptr;
    if (part.Compared && !read(1, part.Tdo)) {
        return false;
    }
    if (values[2] != nullptr) {
        if (!read(2, part.Mask)) {
            return false;
        }
    } else if (newLength) {
        part.Mask.Assign(part.Length, true);
    }
    if (values[3] != nullptr) {
        if (!read(3, part.Smask)) {
            return false;
        }
    } else if (newLength) {
        part.Smask.Assign(part.Length, true);
    }
    if (!part.TdiKnown) {
        return Refuse(st.Line, command + " " + std::to_string(part.Length) +
                                   " has no TDI, and no " + command +
                                   " of that length before "
                                   "gave one to repeat");
    }
    return true;
}

bool Importer::Scan(const SvfStatement& st, bool ir) {
    ScanPart& part = ir ? Sir : Sdr;
    if (!Part(st, part)) {
        return false;
    }
    const std::string& command = st.Words.front().Text;
    if (Held) {
        return Refuse(st.Line, command + " while TRST ON holds the TAP in Test-Logic-Reset");
    }
    const ScanPart& header = ir ? Hir : Hdr;
    const ScanPart& trailer = ir ? Tir : Tdr;
    const std::uint64_t total = header.Length + part.Length + trailer.Length;
    if (total > MaxCount) {
        return Refuse(st.Line, command + " of " + std::to_string(total) +
                                   " bits with its header and trailer: more than LD CNT can "
                                   "count");
    }
    const std::uint8_t end = ir ? EndIr : EndDr;
    if (total == 0) {
        EmptyScan(ir, end, st.Line);
        return true;
    }
    const std::array<const ScanPart*, 3> parts = {&header, &part, &trailer};
    ScanBits tdi;
    for (const ScanPart* p : parts) {
        tdi.Append(p->Tdi);
    }
    if (!part.Compared) {
        Shift(ir, tdi, nullptr, nullptr, end, st.Line);
        return true;
    }
    // A header or trailer is compared where it gives TDO, in scans that
    // compare at all.
    ScanBits tdo;
    ScanBits mask;
    for (const ScanPart* p : parts) {
        if (p->Compared) {
            tdo.Append(p->Tdo);
            mask.Append(p->Mask);
        } else {
            tdo.AppendZeros(p->Length);
            mask.AppendZeros(p->Length);
        }
    }
    const bool compares = mask.Any();
    Shift(ir, tdi, compares ? &tdo : nullptr, compares ? &mask : nullptr, end, st.Line);
    return true;
}

void Importer::Shift(bool ir, const ScanBits& tdi, const ScanBits* tdo, const ScanBits* mask,
                     std::uint8_t end, std::int32_t line) {
    const std::string what = std::string(ir ? "SIR " : "SDR ") + std::to_string(tdi.Size()) +
                             " bits" + (tdo != nullptr ? ", TDO checked" : "");
    // Between statements the TAP is in a stable state, never in the shift.
    Body.Statement(std::string("STATE ") + (ir ? "IRSHIFT;" : "DRSHIFT;"), line, what);
    Body.Statement("LD CNT," + std::to_string(tdi.Size()) + "d;", line);
    std::string code = tdo != nullptr ? "NSHFCP " : "NSHF ";
    const std::string indent(code.size(), ' ');
    AppendShiftOperand(code, tdi, DigitsPerLine, indent);
    if (tdo != nullptr) {
        code += ",\n" + indent;
        AppendShiftOperand(code, *tdo, DigitsPerLine, indent);
        code += ",\n" + indent;
        AppendShiftOperand(code, *mask, DigitsPerLine, indent);
    }
    code += ';';
    Body.Statement(code, line);
    Tap = ir ? Exit1Ir : Exit1Dr;
    if (tdo == nullptr) {
        MoveTo(end, line);
        return;
    }
    const std::string suffix = UniqueSuffix(line);
    Checks.emplace_back(line, suffix);
    Body.Statement("JERR MISMATCH_" + suffix + ";", line, "on a TDO mismatch");
    MoveTo(end, line, "CHECKED_" + suffix);
}

void Importer::EmptyScan(bool ir, std::uint8_t end, std::int32_t line) {
    // A scan of no bits captures and updates without shifting.
    std::vector<std::uint8_t> path = StatementPath(Tap, ir ? CaptureIr : CaptureDr);
    const std::uint8_t exit1 = ir ? Exit1Ir : Exit1Dr;
    path.push_back(exit1);
    const std::uint8_t pause = ir ? PauseIr : PauseDr;
    if (end == pause) {
        path.push_back(pause);
    } else {
        path.push_back(ir ? UpdateIr : UpdateDr);
        const std::vector<std::uint8_t> rest = StatementPath(path.back(), end);
        path.insert(path.end(), rest.begin(), rest.end());
    }
    FollowPath(path, line);
}
} // namespace scanbench::svf_detail
