#include "app/application.h"

int ZolClientMain(int, char **)
{
    return 0;
}
