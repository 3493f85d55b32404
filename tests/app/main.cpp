#include "AppTests.h"
#include "TestSupport.h"

int main(int argc, char** argv)
{
    return runTestObjects(argc, argv, {makeLaunchTest, makeServicesTest, makeCommandLineTest});
}
