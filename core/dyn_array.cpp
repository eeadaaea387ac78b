#include "core/dyn_array.h"

namespace dyn_array_detail {

AllocateFunction g_allocate = [](size_t bytes) -> void* { return std::malloc(bytes); };

}  // namespace dyn_array_detail
