// Nothing to run: that this links at all is the check.
int main()
{
    return 0;
}
