// Links the engine and the sheet layout alone, so a test can check that nothing in them
// pulls in Qt.
#include "operand_choice.h"
#include "operation_choice.h"
#include "sheet_layout.h"
#include "type_settings.h"

int main() {
    qx5::EngineState s;
    s.ExerciseType = 5;
    qx5::ApplyTypeSettings(s);
    qx5::MersenneRandomSource random(1);
    s.CurrentNumber = 12;
    qx5::ChooseOperation(s, random);
    qx5::ChooseOperand(s, random, s.Operation, s.CurrentNumber, s.Operand, s.OperandText);
    return s.OperandText.empty() || qx5::PadNumber(s.OperandText).size() < 5 ? 1 : 0;
}
