#include "recordrowstore.h"

RecordRowStore::~RecordRowStore() = default;
