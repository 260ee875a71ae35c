#pragma once
// The calculation procedures of the crossbeam: one free function per button (or clickable field),
// named after its control, working on the window only through the Sheet port.
//
// How data flows through calc/:
//
//   suspension points (txtL*, txtP*, txtG*, txtGg*, txtProlet, Combo2)
//       --readSuspensionPoints--> SuspensionPoints --loadMoment(arm factors)--> Fixed
//       Command1/2 -> Label10/11 (mid-span)   Command3/4 -> Label14/15 (left)   Command5/6 ->
//       Label20/21 (right); Text21_Click / Text22_Click take the larger of left and right into
//       Text21 / Text22.
//
//   crossbeam inputs (txtLp, txtGp, txtGpg, Combo1, txtPp, txtVm) + suspension moment (Label10/11
//   or Text21/22) + Мфс of the mode (Text18/19/20)
//       --MomentInputs--> designMoment(mode, section factors) --> Fixed
//       Command7/8/9 -> Label22/23/24 (mid-span)   Command11/12/13 -> Label30/31/32 (1/3 or 1/4)
//
//   Command20 ("Мфс =0") and Command21 ("Мфс >0") set the three Мфс values and swap the frames.
//
// loads.h holds the sum core, moments.h the mode formulas with their factor table, procedures.h the
// table of these procedures (control, result, inputs, stage); loadbuttons.cpp,
// momentbuttons.cpp and mfsbuttons.cpp hold the button procedures: each reads every input afresh,
// runs its steps under the skip-on-error rule (core/step.h), shows at most the messages of its
// branch, and writes its result label last, in every case.
//
// What a failed step leaves: a text that is not a number counts as 0 (a required 0 brings the
// no-data message, and the label shows "0"); a computation that leaves the fixed-point range, or
// whose double is not finite, is abandoned as a whole, and the label shows "0" without a message.

#include <QStringList>

namespace vardo {
class Sheet;
}

namespace vardo::calc {

// Loads of the suspension at mid-span: "G" and "Gг" of the frame "Середина".
void Command1_Click(Sheet& sheet);
void Command2_Click(Sheet& sheet);

// Loads at the third (quarter) points: "G-1/3(1/4)" and "Gг-1/3(1/4)" of "Слева" and "Справа".
void Command3_Click(Sheet& sheet);
void Command4_Click(Sheet& sheet);
void Command5_Click(Sheet& sheet);
void Command6_Click(Sheet& sheet);

// The governing third (quarter) point values: the larger of the left and right results. A label
// that holds no number at the moment of the click counts as 0.
void Text21_Click(Sheet& sheet);
void Text22_Click(Sheet& sheet);

// Design moments at mid-span: "Аварийный Мн нп", "Гололед Мр вп", "V max Мр вп".
void Command7_Click(Sheet& sheet);
void Command8_Click(Sheet& sheet);
void Command9_Click(Sheet& sheet);

// Design moments at the third or quarter point (Option9 "1/3" / Option10 "1/4"), the same modes.
void Command11_Click(Sheet& sheet);
void Command12_Click(Sheet& sheet);
void Command13_Click(Sheet& sheet);

// Every control the design moment of mode `mode` (the index of catalogue::kModes) reads, in reading
// order, at mid-span or at 1/3 (1/4): the texts, then the section options it tests.
QStringList momentInputs(int mode, bool atSection);

// "Мфс =0" and "Мфс >0".
void Command20_Click(Sheet& sheet);
void Command21_Click(Sheet& sheet);

}  // namespace vardo::calc
