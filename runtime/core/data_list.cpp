// The inline data lists that compiled programs read item by item.
#include <cstdint>

#include "core/fatal.h"
#include "zorvane/maths.h"
#include "zorvane/rt_array.h"

namespace {

DataList* currentList = nullptr;

const DataItem& NextItem() {
    DataList* list = currentList;
    if (list == nullptr || list->readIndex < 0 || list->readIndex >= list->count) {
        zrv::StopWithError(20);
    }
    return list->items[list->readIndex++];
}

}  // namespace

DataList* SetDataList(DataList* list) noexcept {
    if (list != nullptr) list->readIndex = 0;
    currentList = list;
    return list;
}

void ReadDataText(RtString& target) {
    const DataItem& item = NextItem();
    target = item.text != nullptr ? RtString(item.text) : NumberToText(item.number);
}

void ReadDataNumber(double& target) {
    const DataItem& item = NextItem();
    target = item.text != nullptr ? TextToNumber(item.text) : item.number;
}

void ReadDataInt(std::int32_t& target) {
    const DataItem& item = NextItem();
    target = item.text != nullptr ? TextToInt(item.text) : TruncateToInt32(item.number);
}
