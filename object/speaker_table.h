#pragma once

#include <string>

#include "object/line_object.h"

namespace linecalc::object {

// Every loudspeaker of the object's layout lines as CSV: the header
// "Линия,№,Расстояние (м),Мощность отвода (Вт),Напряжение (В),Мощность (Вт),Уровень (дБ)", then
// one row per loudspeaker, the lines in file order and each line's loudspeakers numbered from 1
// in the order of its solution; figures by the display rule with ".". A line that is not a
// layout, or is refused, has no rows. Same CSV rules as ObjectCsv.
std::string SpeakersCsv(const LineObject& object);

}  // namespace linecalc::object
