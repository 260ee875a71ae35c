#pragma once
// The window's own actions: reset, new calculation and the panel switches. Each only sets texts,
// captions and visibility, in the order the user sees them happen; none shows a message.

#include "core/sheet.h"

namespace vardo::calc {

void Command10_Click(Sheet& sheet);  // "Сброс": the sixteen arm fields to "0"
void Command23_Click(Sheet& sheet);  // "Новый расчет"
void Command14_Click(Sheet& sheet);  // "Выбор ригеля": the crossbeam moments over the suspension's
void Command15_Click(Sheet& sheet);  // "Назад" of the crossbeam moments
void Command17_Click(Sheet& sheet);  // "Назад" of the allowable moments, which brings back "Мфс"
void Command22_Click(Sheet& sheet);  // "Скрыть": the Мфс table gives way to the Мфс buttons

}  // namespace vardo::calc
