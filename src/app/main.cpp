// SPDX-License-Identifier: Apache-2.0
#include "app/application.h"

int main(int argc, char **argv)
{
    return ZolClientMain(argc, argv);
}
