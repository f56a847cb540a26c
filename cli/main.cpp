#include <iostream>

int main()
{
    std::cout << "gearwise-cli: the command-line companion of Gearwise Planner\n";
    return 0;
}
