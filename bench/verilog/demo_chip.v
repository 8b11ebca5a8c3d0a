// The demo board's teaching chip as far as the comparison workload uses it:
// the 16-state TAP controller, a 4-bit instruction register capturing 0101,
// IDCODE (opcode 0001, selected at reset) and BYPASS (1111 and every other
// code; the boundary register is left out, the workload never selects it).
// It acts on the edges as Scanbench's chip model does: the controller moves
// and the selected register captures or shifts on the rising edge of TCK;
// the instruction is loaded and TDO changes on the falling edge; TDO is
// driven only in Shift-DR and Shift-IR and reads 1 otherwise (the board's
// pull-up). The state numbers are Scanbench's, so both dumps agree.
`timescale 1ns/1ns
module demo_chip #(parameter [31:0] IDCODE = 32'h15CB3FFD) (
    input  wire       tck,
    input  wire       tms,
    input  wire       tdi,
    output reg        tdo,
    output reg        tdo_driven,
    output reg  [3:0] state
);
    localparam [3:0] TEST_LOGIC_RESET = 4'd0, RUN_TEST_IDLE = 4'd1,
                     SELECT_DR = 4'd2, SELECT_IR = 4'd3,
                     CAPTURE_DR = 4'd4, CAPTURE_IR = 4'd5,
                     SHIFT_DR = 4'd6, SHIFT_IR = 4'd7,
                     EXIT1_DR = 4'd8, EXIT1_IR = 4'd9,
                     PAUSE_DR = 4'd10, PAUSE_IR = 4'd11,
                     EXIT2_DR = 4'd12, EXIT2_IR = 4'd13,
                     UPDATE_DR = 4'd14, UPDATE_IR = 4'd15;
    localparam [3:0] OPCODE_IDCODE = 4'b0001;
    localparam [3:0] IR_CAPTURE = 4'b0101;

    reg [3:0]  instruction;   // the latched instruction
    reg [3:0]  ir_shift;      // the instruction register's shift stage
    reg [31:0] id_shift;      // IDCODE's shift stage
    reg        bypass_bit;    // BYPASS, one bit

    initial begin
        state = TEST_LOGIC_RESET;
        instruction = OPCODE_IDCODE;
        ir_shift = 4'b0;
        id_shift = 32'b0;
        bypass_bit = 1'b0;
        tdo = 1'b1;
        tdo_driven = 1'b0;
    end

    wire idcode_selected = instruction == OPCODE_IDCODE;

    function [3:0] next_state(input [3:0] from, input tms_high);
        case (from)
            TEST_LOGIC_RESET: next_state = tms_high ? TEST_LOGIC_RESET : RUN_TEST_IDLE;
            RUN_TEST_IDLE:    next_state = tms_high ? SELECT_DR : RUN_TEST_IDLE;
            SELECT_DR:        next_state = tms_high ? SELECT_IR : CAPTURE_DR;
            SELECT_IR:        next_state = tms_high ? TEST_LOGIC_RESET : CAPTURE_IR;
            CAPTURE_DR:       next_state = tms_high ? EXIT1_DR : SHIFT_DR;
            CAPTURE_IR:       next_state = tms_high ? EXIT1_IR : SHIFT_IR;
            SHIFT_DR:         next_state = tms_high ? EXIT1_DR : SHIFT_DR;
            SHIFT_IR:         next_state = tms_high ? EXIT1_IR : SHIFT_IR;
            EXIT1_DR:         next_state = tms_high ? UPDATE_DR : PAUSE_DR;
            EXIT1_IR:         next_state = tms_high ? UPDATE_IR : PAUSE_IR;
            PAUSE_DR:         next_state = tms_high ? EXIT2_DR : PAUSE_DR;
            PAUSE_IR:         next_state = tms_high ? EXIT2_IR : PAUSE_IR;
            EXIT2_DR:         next_state = tms_high ? UPDATE_DR : SHIFT_DR;
            EXIT2_IR:         next_state = tms_high ? UPDATE_IR : SHIFT_IR;
            default:          next_state = tms_high ? SELECT_DR : RUN_TEST_IDLE; // both updates
        endcase
    endfunction

    always @(posedge tck) begin
        case (state)
            CAPTURE_DR: begin
                id_shift <= IDCODE;
                bypass_bit <= 1'b0;
            end
            SHIFT_DR:
                if (idcode_selected) id_shift <= {tdi, id_shift[31:1]};
                else bypass_bit <= tdi;
            CAPTURE_IR: ir_shift <= IR_CAPTURE;
            SHIFT_IR:   ir_shift <= {tdi, ir_shift[3:1]};
            default: ;
        endcase
        state <= next_state(state, tms);
    end

    always @(negedge tck) begin
        case (state)
            SHIFT_DR: begin
                tdo <= idcode_selected ? id_shift[0] : bypass_bit;
                tdo_driven <= 1'b1;
            end
            SHIFT_IR: begin
                tdo <= ir_shift[0];
                tdo_driven <= 1'b1;
            end
            default: begin
                tdo <= 1'b1;
                tdo_driven <= 1'b0;
                if (state == TEST_LOGIC_RESET) instruction <= OPCODE_IDCODE;
                if (state == UPDATE_IR) instruction <= ir_shift;
            end
        endcase
    end
endmodule
