// Turns the bytes of one record into the fields of a MeasurementRecord by
// walking the type's code list.
#pragma once

#include <cstdint>

#include "core/base/Bytes.h"
#include "core/measurement/MeasurementRecord.h"
#include "core/measurement/RecordLayout.h"

namespace phonotab {

// Decodes one record into rec (sized by layout.sizeRecord beforehand). With
// accumulate, each measured value is added to its cell as the energy
// 10^(0.1·L) (cells holding the no-value mark stay as they are).
// A type-check field whose value differs from rec.typeCode stops the walk: the
// fields before it keep their decoded values, the rest their reset values.
// Fields that would run past the end of bytes are not read.
// Returns the type-check value (rec.typeCode when the type has no such field).
std::uint16_t DecodeRecord(const RecordLayout& layout, ByteSpan bytes, bool accumulate, MeasurementRecord& rec);

// Value of a measured-value field by its encoding nibble: 0 → u16/256,
// 5 → i32/65536, 7 → u32; any other encoding gives 0.
double decodeMeasuredValue(FieldCode code, const std::uint8_t* p);

}  // namespace phonotab
