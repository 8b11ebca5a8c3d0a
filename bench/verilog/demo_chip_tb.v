// The comparison workload as a test bench for demo_chip.v, doing what the
// Scanbench programs that scanbench_tap_workload writes do, clock for clock:
//
//   check (default): reset, read the IDCODE, scan the instruction register
//     (its capture 0101 read, BYPASS loaded), then shift N pseudo-random bits
//     and a flush bit through BYPASS, checking every bit that comes back.
//   plain (+plain): reset, load BYPASS, shift N zero bits, check nothing.
//
// Each TCK cycle is two half cycles of 50 ns, as a test program drives
// them: TCK falls with the new TMS and TDI (the chip moves TDO), then TDO
// is sampled and TCK rises (the chip moves its state).
//
// Plus arguments: +N=<bits> (default 1000000), +plain, +vcd=<file> (dumps
// TCK, TMS, TDI, TDO, whether TDO is driven and the TAP state).
// Prints "RESULT PASS" when every check passed, "RESULT FAIL" otherwise.
`timescale 1ns/1ns
module demo_chip_tb;
    reg        tck = 1'b0;
    reg        tms = 1'b1;
    reg        tdi = 1'b0;
    wire       tdo;
    wire       tdo_driven;
    wire [3:0] state;
    /*verilator tracing_off*/

    demo_chip chip(.tck(tck), .tms(tms), .tdi(tdi), .tdo(tdo), .tdo_driven(tdo_driven),
                   .state(state));

    integer    n;
    integer    i;
    integer    cycles;
    integer    failures;
    reg        sampled;
    reg        previous;
    reg        data;
    reg [31:0] noise;
    reg [31:0] word;
    reg [8*512-1:0] dump_file;

    // One TCK cycle; `sampled` is TDO after the falling edge.
    task clock(input tms_level, input tdi_level);
        begin
            tck = 1'b0;
            tms = tms_level;
            tdi = tdi_level;
            #50;
            sampled = tdo;
            tck = 1'b1;
            #50;
            cycles = cycles + 1;
        end
    endtask

    // TMS levels for a path of up to eight clocks, the first in bit 0.
    task walk(input integer steps, input [7:0] levels);
        integer s;
        begin
            for (s = 0; s < steps; s = s + 1) clock(levels[s], 1'b0);
        end
    endtask

    // The data bits: a 32-bit xorshift generator; each bit is the low bit
    // of its next value.
    task next_data;
        begin
            noise = noise ^ (noise << 13);
            noise = noise ^ (noise >> 17);
            noise = noise ^ (noise << 5);
            data = noise[0];
        end
    endtask

    initial begin
        if (!$value$plusargs("N=%d", n)) n = 1000000;
        if ($value$plusargs("vcd=%s", dump_file)) begin
            $dumpfile(dump_file);
            $dumpvars(0, tck, tms, tdi, tdo, tdo_driven, state);
        end
        cycles = 0;
        failures = 0;
        noise = 32'h2545F491;

        walk(5, 8'b11111);                       // Test-Logic-Reset: IDCODE selected
        if ($test$plusargs("plain")) begin
            walk(5, 8'b00110);                   // to Shift-IR
            for (i = 0; i < 4; i = i + 1) clock(i == 3, 1'b1);
            walk(2, 8'b01);                      // Run-Test/Idle: BYPASS
            walk(3, 8'b001);                     // to Shift-DR
            for (i = 0; i < n; i = i + 1) clock(i == n - 1, 1'b0);
            walk(2, 8'b01);
            $display("PLAIN DONE: %0d bits", n);
        end else begin
            walk(4, 8'b0010);                    // to Shift-DR
            word = 32'b0;
            for (i = 0; i < 32; i = i + 1) begin
                clock(i == 31, 1'b0);
                word[i] = sampled;
            end
            if (word == 32'h15CB3FFD) $display("IDCODE PASS: %h", word);
            else begin
                $display("IDCODE FAIL: %h", word);
                failures = failures + 1;
            end
            walk(2, 8'b01);                      // Run-Test/Idle
            walk(4, 8'b0011);                    // to Shift-IR
            word = 32'b0;
            for (i = 0; i < 4; i = i + 1) begin
                clock(i == 3, 1'b1);             // BYPASS is all ones
                word[i] = sampled;
            end
            if (word[3:0] == 4'b0101) $display("IR CAPTURE PASS: %b", word[3:0]);
            else begin
                $display("IR CAPTURE FAIL: %b", word[3:0]);
                failures = failures + 1;
            end
            walk(2, 8'b01);                      // Run-Test/Idle: BYPASS
            walk(3, 8'b001);                     // to Shift-DR
            previous = 1'b0;                     // BYPASS captured 0
            word = 32'b0;                        // bits that came back wrong
            for (i = 0; i <= n; i = i + 1) begin
                if (i < n) next_data;
                else data = 1'b0;                // the flush bit
                clock(i == n, data);
                if (sampled !== previous) word = word + 1;
                previous = data;
            end
            if (word == 0) $display("BYPASS PASS: %0d bits", n);
            else begin
                $display("BYPASS FAIL: %0d of %0d bits wrong", word, n);
                failures = failures + 1;
            end
            walk(2, 8'b01);                      // Run-Test/Idle
        end
        // The last falling edge, in Run-Test/Idle: TDO is released.
        tck = 1'b0;
        #50;
        if (state == 4'd1 && !tdo_driven) $display("END PASS: Run-Test/Idle, TDO released");
        else begin
            $display("END FAIL: state %0d, TDO driven %b", state, tdo_driven);
            failures = failures + 1;
        end
        $display("cycles: %0d", cycles);
        if (failures == 0) $display("RESULT PASS");
        else $display("RESULT FAIL");
        $finish;
    end
endmodule
