#include "KitTests.h"
#include "TestSupport.h"

int main(int argc, char** argv)
{
    return runTestObjects(
        argc, argv, {makeUserDefaultsTest, makeTimersTest, makeControllersTest, makeControlsTest});
}
