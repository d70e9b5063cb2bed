// Resource ids of the component tree module.
#pragma once
