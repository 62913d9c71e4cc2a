#include "console/dialogue.h"

int main()
{
    return run_dialogue();
}
