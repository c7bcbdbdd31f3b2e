// Every formula node class.
#pragma once

#include "ExprAtoms.h"
#include "ExprFractions.h"
#include "ExprTree.h"
#include "ExprOther.h"
