// The frame every printed list is built on, in its units: the lists' SQL,
// the parameter fields, the parameter form, the work tables and the layouts'
// header and columns. Lists include this one header.
#pragma once

#include "core/ListForm.h"
#include "core/ListLayout.h"
#include "core/ListParams.h"
#include "core/ListSql.h"
#include "core/WorkTable.h"
