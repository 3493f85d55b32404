#include "app/MainInterface.h"
#include "kit/controllers/Application.h"
#include "kit/ApplicationMain.h"

int main(int argc, char** argv)
{
    return kit::applicationMain(argc, argv, &loadMainInterface);
}
