// Display names of instruments, channels, value families, detectors, bands and
// parameters. All instrument vocabulary comes from the telemetry description;
// only the fixed words come from the string table. A missing name is empty.
#pragma once

#include <string>

#include "core/measurement/FieldCode.h"
#include "core/measurement/MeasurementRecord.h"
#include "core/measurement/RecordLayout.h"
#include "core/measurement/TeleDesc.h"

namespace phonotab {

std::string instrumentName(const TeleDesc& desc, std::uint32_t instrumentCode);
// Title f (1..3) of the type: the caption of value family f.
std::string familyCaption(const RecordLayout& layout, int family);
std::string detectorName(const RecordLayout& layout, int detector);
// Position of band b of family f in the description's band-name list, or -1.
long bandNamePosition(const RecordLayout& layout, int family, int band);

enum class BandForm { List, Text };
// Band b of family f: from the record's frequency axis when it has that point
// ("Частота %d" in lists, the frequency itself in text), else the band-name list.
std::string bandCaption(const TeleDesc& desc, const RecordLayout& layout, const MeasurementRecord* record,
                        int family, int band, BandForm form);
// A frequency in Hz as text exports write it: "%.6lg", "%.6lgk" or "%.6lgm".
std::string frequencyCaption(double hz);
// "канал %d" (long) or "кан.%d" (short), numbered from 1.
std::string channelCaption(int channel, bool longForm);
// Name of a parameter code: detector and band caption (with the channel when
// the file has several), or the captions of the derived codes.
std::string parameterCaption(FieldCode code, const TeleDesc& desc, const RecordLayout& layout,
                             const MeasurementRecord* record);

}  // namespace phonotab
